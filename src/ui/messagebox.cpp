#include "ui/messagebox.h"

QMessageBox *openMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                            const QString &text, QMessageBox::StandardButtons buttons,
                            Qt::WindowModality modality,
                            std::function<void(QMessageBox::StandardButton)> answered) {
    auto *box = new QMessageBox(icon, title, text, buttons, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(modality);
    if (answered)
        QObject::connect(box, &QMessageBox::finished, box, [box, answered](int) {
            answered(box->standardButton(box->clickedButton()));
        });
    box->show();
    return box;
}
