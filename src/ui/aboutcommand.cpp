#include "ui/form1.h"
#include "ui/frmsplash.h"

FrmSplash *Form1::aboutWindow() {
    if (!frmSplash) {
        frmSplash = new FrmSplash(this);
        connect(frmSplash, &FrmSplash::helpRequested, this, &Form1::menuHelp_Click);
        connect(frmSplash, &FrmSplash::closeClicked, this, [this] {
            show();
            raise();
            activateWindow();
        });
    }
    return frmSplash;
}

void Form1::menuAbout_Click() {
    FrmSplash *about = aboutWindow();
    about->show();
    about->raise();
    about->activateWindow();
}
