#include "ui/texts.h"

#include <QCoreApplication>
#include <QStringList>

namespace quorvel {

namespace {

// Where qt_add_translations puts the compiled catalogue among the program's resources.
constexpr const char* englishCatalogue = ":/i18n/quorvel_en.qm";

// Splits at CR LF, a lone CR or a lone LF. A plain loop: a regular expression would bring PCRE's
// tables into memory (0.4 MB resident) for nothing more than this.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

}

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

QString translatedLines(const char* context, const QString& text) {
    QStringList lines = splitLines(text);
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
