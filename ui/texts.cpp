#include "ui/texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>

namespace quorvel {

namespace {

// Where qt_add_translations puts the compiled catalogue among the program's resources.
constexpr const char* englishCatalogue = ":/i18n/quorvel_en.qm";

// Qt's own catalogue for a language, in Qt's translations folder; none for English.
QString qtCatalogueName(Language language) {
    return language == Language::Japanese ? QStringLiteral("qtbase_ja") : QString();
}

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

QString translatedLine(const char* context, const QString& line) {
    const QString exact = QCoreApplication::translate(context, line.toUtf8().constData());
    if (exact != line) return exact;
    // The game builds some lines around numbers ("12行目"): such a line is looked up with each
    // run of digits written as %1, %2, ... and the numbers are put back into the translation.
    QString pattern;
    QStringList numbers;
    for (qsizetype i = 0; i < line.size();) {
        if (!line.at(i).isDigit()) {
            pattern += line.at(i++);
            continue;
        }
        const qsizetype start = i;
        while (i < line.size() && line.at(i).isDigit())
            ++i;
        numbers.append(line.mid(start, i - start));
        pattern += u'%' + QString::number(numbers.size());
    }
    if (numbers.isEmpty()) return line;
    QString translated = QCoreApplication::translate(context, pattern.toUtf8().constData());
    if (translated == pattern) return line;
    for (const QString& number : numbers)
        translated = translated.arg(number);
    return translated;
}

QString translatedLines(const char* context, const QString& text) {
    QStringList lines = splitLines(text);
    for (QString& line : lines) {
        if (!line.isEmpty()) line = translatedLine(context, line);
    }
    return lines.join(u'\n');
}

QString translatedCount(const char* context, const char* text, int count) {
    return QCoreApplication::translate(context, text, nullptr, count);
}

bool installLanguage(QTranslator& game, QTranslator& qt, Language language) {
    QCoreApplication::removeTranslator(&qt);
    const QString qtCatalogue = qtCatalogueName(language);
    if (!qtCatalogue.isEmpty() &&
        qt.load(qtCatalogue, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt);
    }
    QCoreApplication::removeTranslator(&game);
    if (language != Language::English) return true;
    if (!game.load(QString::fromUtf8(englishCatalogue))) return false;
    return QCoreApplication::installTranslator(&game);
}

}
