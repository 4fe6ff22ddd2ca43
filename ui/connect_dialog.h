#pragma once

#include <QDialog>
#include <optional>

#include "net/xmpp_link.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace quorvel {

// 接続…: the player's address, password and, when the address's domain does not name the
// server, the server's host:port; "remember" keeps the password in the desktop's secret store.
// OK is offered only for a valid address, a password and an empty or valid server.
class ConnectDialog : public QDialog {
  public:
    ConnectDialog(QWidget* parent, const QString& address, const QString& server);

    // The password the secret store keeps for `address`, found after the dialog opened; ignored
    // once the player has typed a password or another address.
    void offerPassword(const QString& address, const QString& password);

    // The account as entered (the password in memory only), once accepted.
    net::Account account() const;
    bool remember() const;

  private:
    void check();

    QLineEdit* address_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* server_ = nullptr;
    QCheckBox* remember_ = nullptr;
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}
