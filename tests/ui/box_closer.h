#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <vector>

namespace quorvel {

// What a test saw of a message box.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool modal = false;
};

// Watches for modal message boxes while it lives and closes each with its OK button, as a
// player would, recording what each one showed.
class BoxCloser {
  public:
    BoxCloser() {
        QObject::connect(&poll_, &QTimer::timeout, [this] { closeActive(); });
        poll_.start(10);
    }

    std::vector<SeenBox> seen;

  private:
    void closeActive() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        SeenBox s{box->windowTitle(), box->text(), box->icon(), {}, box->isModal()};
        for (QAbstractButton* button : box->buttons())
            s.buttons << button->text();
        seen.push_back(s);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    }

    QTimer poll_;
};

}
