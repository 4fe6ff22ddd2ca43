#pragma once

#include <QDialog>

#include "net/online_session.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace quorvel {

// 招待…: the friend's address and the side this player takes (先手, 後手, おまかせ). OK is
// offered only for a valid address other than the player's own.
class InviteDialog : public QDialog {
  public:
    InviteDialog(QWidget* parent, const QString& friendAddress, const QString& ownAddress);

    QString friendAddress() const;
    net::SideChoice side() const;

  private:
    void check();

    QString own_;
    QLineEdit* address_ = nullptr;
    QComboBox* side_ = nullptr;
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

// The invited player's question: "<address> から対局の申し込み (先手)" with 受ける / 断る, where
// the side is the one this player would take (SIDE_SENTE or SIDE_GOTE). True for 受ける.
bool askInvitation(QWidget* parent, const QString& from, int ownSide);

}
