#include "core/strings.h"
#include "ui/form1.h"
#include "ui/frmsplash.h"

// Made when first shown, not at start: most runs never show it, and its pictures, bold fonts
// and text boxes would cost every run memory and start-up time.
FrmSplash *Form1::aboutWindow() {
    if (!frmSplash) {
        frmSplash = new FrmSplash(this);
        if (language_)
            frmSplash->applyTexts(currentStrings().about, platformLine(versionText()));
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
