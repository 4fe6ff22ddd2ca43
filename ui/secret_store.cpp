#include "ui/secret_store.h"

#include <qt6keychain/keychain.h>

#include "ui/online_log.h"

namespace quorvel {

namespace {

const QString SERVICE = QStringLiteral("Quorvel");

// A job of the store for one address. It never falls back to a plain file.
template <typename Job>
Job* jobFor(const QString& address) {
    auto* job = new Job(SERVICE);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(address);
    return job;
}

}

void SecretStore::store(const QString& address, const QString& password) {
    auto* job = jobFor<QKeychain::WritePasswordJob>(address);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, [this](QKeychain::Job* done) {
        if (done->error() != QKeychain::NoError) noteFailure(done->error(), done->errorString());
    });
    job->start();
}

void SecretStore::read(const QString& address, std::function<void(std::optional<QString>)> done) {
    auto* job = jobFor<QKeychain::ReadPasswordJob>(address);
    connect(job, &QKeychain::Job::finished, this,
            [this, done = std::move(done)](QKeychain::Job* finished) {
                const auto* reading = static_cast<QKeychain::ReadPasswordJob*>(finished);
                if (reading->error() == QKeychain::NoError) {
                    done(reading->textData());
                    return;
                }
                if (reading->error() != QKeychain::EntryNotFound)
                    noteFailure(reading->error(), reading->errorString());
                done(std::nullopt);
            });
    job->start();
}

void SecretStore::forget(const QString& address) {
    auto* job = jobFor<QKeychain::DeletePasswordJob>(address);
    connect(job, &QKeychain::Job::finished, this, [this](QKeychain::Job* done) {
        if (done->error() != QKeychain::NoError && done->error() != QKeychain::EntryNotFound)
            noteFailure(done->error(), done->errorString());
    });
    job->start();
}

void SecretStore::noteFailure(int error, const QString& text) {
    if (told_) return;
    told_ = true;
    const std::string why =
        error == QKeychain::NoBackendAvailable ? "no secret store is running" : text.toStdString();
    logOnline("the secret store cannot be reached (" + why + "): passwords are not remembered");
}

}
