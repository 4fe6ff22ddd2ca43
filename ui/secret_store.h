#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace quorvel {

// The password of an account in the desktop's secret store, keyed by the account's address.
// Every call returns at once; the store answers later on the window's thread. Nothing is ever
// written anywhere else: without a secret service the password is simply not remembered, and
// the log says so once.
class SecretStore : public QObject {
  public:
    explicit SecretStore(QObject* parent = nullptr) : QObject(parent) {}

    void store(const QString& address, const QString& password);
    // done gets the password, or nothing when none is kept or the store cannot be reached.
    void read(const QString& address, std::function<void(std::optional<QString>)> done);
    void forget(const QString& address);

  private:
    // A failure of the store: the first one that says there is no store is logged.
    void noteFailure(int error, const QString& text);

    bool told_ = false;
};

}
