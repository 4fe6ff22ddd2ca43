#include "ui/texts.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace quorvel {

namespace {

// Where qt_add_translations puts the compiled catalogue among the program's resources.
constexpr const char* englishCatalogue = ":/i18n/quorvel_en.qm";

}

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

QString translatedLines(const char* context, const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    for (QString& line : lines) {
        if (!line.isEmpty()) line = QCoreApplication::translate(context, line.toUtf8().constData());
    }
    return lines.join(u'\n');
}

bool installLanguage(QTranslator& translator, Language language) {
    QCoreApplication::removeTranslator(&translator);
    if (language != Language::English) return true;
    if (!translator.load(QString::fromUtf8(englishCatalogue))) return false;
    return QCoreApplication::installTranslator(&translator);
}

}
