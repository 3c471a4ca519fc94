#pragma once

#include <QMessageBox>
#include <functional>

// A message box that never holds the caller: it is shown and the call returns, so the clock
// ticks on and the alarm rings while it waits for the user. `modality` Qt::WindowModal keeps the
// user's hands off the parent window until it is answered, as a question must. The box deletes
// itself once answered; `answered` then gets the button.
QMessageBox *openMessageBox(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                            const QString &text, QMessageBox::StandardButtons buttons,
                            Qt::WindowModality modality,
                            std::function<void(QMessageBox::StandardButton)> answered = {});
