#include "ui/connect_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/addresses.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

// Room for an address of ordinary length, in characters.
constexpr int FIELD_CHARACTERS = 32;

QString online(const char* text) {
    return translated(ONLINE_CONTEXT, text);
}

QLineEdit* field(QWidget* parent, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * FIELD_CHARACTERS);
    return edit;
}

}

ConnectDialog::ConnectDialog(QWidget* parent, const QString& address, const QString& server)
    : QDialog(parent) {
    setWindowTitle(online(QT_TRANSLATE_NOOP("Online", "接続")));
    address_ = field(this, address);
    address_->setPlaceholderText(QStringLiteral("name@example.org"));
    password_ = field(this, QString());
    password_->setEchoMode(QLineEdit::Password);
    server_ = field(this, server);
    server_->setPlaceholderText(online(QT_TRANSLATE_NOOP("Online", "ホスト:ポート (省略可)")));
    remember_ = new QCheckBox(online(QT_TRANSLATE_NOOP("Online", "パスワードを記憶する")), this);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(online(QT_TRANSLATE_NOOP("Online", "アドレス")), address_);
    form->addRow(online(QT_TRANSLATE_NOOP("Online", "パスワード")), password_);
    form->addRow(online(QT_TRANSLATE_NOOP("Online", "サーバー")), server_);
    form->addRow(QString(), remember_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(online(QT_TRANSLATE_NOOP("Online", "接続")));
    buttons_->button(QDialogButtonBox::Cancel)
        ->setText(online(QT_TRANSLATE_NOOP("Online", "キャンセル")));
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QLineEdit* edit : {address_, password_, server_})
        connect(edit, &QLineEdit::textChanged, this, &ConnectDialog::check);
    (address_->text().isEmpty() ? address_ : password_)->setFocus();
    check();
}

void ConnectDialog::offerPassword(const QString& address, const QString& password) {
    if (password_->text().isEmpty() && address_->text().trimmed() == address) {
        password_->setText(password);
        remember_->setChecked(true);
    }
}

void ConnectDialog::check() {
    const std::string address = address_->text().trimmed().toStdString();
    const QString server = server_->text().trimmed();
    QString problem;
    if (!address.empty() && !validAddress(address)) {
        problem = online(QT_TRANSLATE_NOOP("Online", "アドレスは 名前@ドメイン の形です。"));
    } else if (!server.isEmpty() && !parseServer(server.toStdString())) {
        problem = online(QT_TRANSLATE_NOOP("Online", "サーバーは ホスト:ポート の形です。"));
    }
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(problem.isEmpty() && !address.empty() && !password_->text().isEmpty());
}

net::Account ConnectDialog::account() const {
    net::Account account;
    account.jid = address_->text().trimmed().toStdString();
    account.password = password_->text().toStdString();
    if (const auto server = parseServer(server_->text().trimmed().toStdString())) {
        account.host = server->host;
        account.port = server->port;
    }
    return account;
}

bool ConnectDialog::remember() const {
    return remember_->isChecked();
}

}
