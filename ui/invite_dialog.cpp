#include "ui/invite_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "rules/pieces.h"
#include "ui/addresses.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

constexpr int FIELD_CHARACTERS = 32;

QString online(const char* text) {
    return translated(ONLINE_CONTEXT, text);
}

}

InviteDialog::InviteDialog(QWidget* parent, const QString& friendAddress, const QString& ownAddress)
    : QDialog(parent), own_(ownAddress) {
    setWindowTitle(online(QT_TRANSLATE_NOOP("Online", "招待")));
    address_ = new QLineEdit(friendAddress, this);
    address_->setPlaceholderText(QStringLiteral("friend@example.org"));
    address_->setMinimumWidth(address_->fontMetrics().averageCharWidth() * FIELD_CHARACTERS);
    side_ = new QComboBox(this);
    side_->addItem(online(QT_TRANSLATE_NOOP("Online", "先手")),
                   QVariant::fromValue(static_cast<int>(net::SideChoice::Sente)));
    side_->addItem(online(QT_TRANSLATE_NOOP("Online", "後手")),
                   QVariant::fromValue(static_cast<int>(net::SideChoice::Gote)));
    side_->addItem(online(QT_TRANSLATE_NOOP("Online", "おまかせ")),
                   QVariant::fromValue(static_cast<int>(net::SideChoice::Either)));
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(online(QT_TRANSLATE_NOOP("Online", "相手のアドレス")), address_);
    form->addRow(online(QT_TRANSLATE_NOOP("Online", "自分の手番")), side_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(online(QT_TRANSLATE_NOOP("Online", "招待")));
    buttons_->button(QDialogButtonBox::Cancel)
        ->setText(online(QT_TRANSLATE_NOOP("Online", "キャンセル")));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(address_, &QLineEdit::textChanged, this, &InviteDialog::check);
    address_->setFocus();
    check();
}

void InviteDialog::check() {
    const QString address = friendAddress();
    QString problem;
    if (!address.isEmpty() && !validAddress(address.toStdString())) {
        problem = online(QT_TRANSLATE_NOOP("Online", "アドレスは 名前@ドメイン の形です。"));
    } else if (address.compare(own_, Qt::CaseInsensitive) == 0) {
        problem = online(QT_TRANSLATE_NOOP("Online", "自分は招待できません。"));
    }
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty() && !address.isEmpty());
}

QString InviteDialog::friendAddress() const {
    return address_->text().trimmed();
}

net::SideChoice InviteDialog::side() const {
    return static_cast<net::SideChoice>(side_->currentData().toInt());
}

bool askInvitation(QWidget* parent, const QString& from, int ownSide) {
    const QString text = ownSide == SIDE_SENTE
                             ? online(QT_TRANSLATE_NOOP("Online", "%1 から対局の申し込み (先手)"))
                             : online(QT_TRANSLATE_NOOP("Online", "%1 から対局の申し込み (後手)"));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quorvel"), text.arg(from),
                    QMessageBox::NoButton, parent);
    QPushButton* accept =
        box.addButton(online(QT_TRANSLATE_NOOP("Online", "受ける")), QMessageBox::AcceptRole);
    box.addButton(online(QT_TRANSLATE_NOOP("Online", "断る")), QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.exec();
    return box.clickedButton() == accept;
}

}
