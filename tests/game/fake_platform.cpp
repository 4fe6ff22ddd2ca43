#include "fake_platform.h"

#include <cstdio>

namespace quorvel::testing {

namespace {

std::string number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

}

void FakePlatform::drawPicture(int code, double x, double y) {
    log.push_back("picture " + std::to_string(code) + " " + number(x) + " " + number(y));
}

void FakePlatform::drawOutline(int colour, double x, double y) {
    log.push_back("outline " + std::to_string(colour) + " " + number(x) + " " + number(y));
}

void FakePlatform::drawText(const std::string& text, double x, double y, int colour, int size) {
    log.push_back("text [" + text + "] " + number(x) + " " + number(y) + " " +
                  std::to_string(colour) + " " + std::to_string(size));
}

void FakePlatform::showMessage(const std::string& text, const std::string& title,
                               MessageIcon icon) {
    log.push_back("message " + title + "|" + text + (icon == MessageIcon::Warning ? "|!" : ""));
    if (whileMessageOpen) whileMessageOpen();
}

bool FakePlatform::askYesNo(const std::string& text, const std::string& title) {
    log.push_back("question " + title + "|" + text);
    return answerYes;
}

void FakePlatform::setTimerEnabled(bool enabled) {
    timer = enabled;
    log.push_back(enabled ? "timer on" : "timer off");
}

void FakePlatform::pause(double seconds) {
    log.push_back("pause " + number(seconds));
    now += seconds;
    if (now >= 86400) now -= 86400;
}

void FakePlatform::初期化_サウンド() {
    log.push_back("sound init");
    if (!soundSystem)
        showMessage("Direct Soundインターフェースが作成できません。", "Quorvel.dll",
                    MessageIcon::Warning);
}

int FakePlatform::読込_WAVファイル(const std::string& fileName, int flags) {
    log.push_back("load " + fileName + " " + std::to_string(flags));
    if (!soundSystem) return 0;
    const auto it = soundFiles.find(fileName);
    return it == soundFiles.end() ? 0 : it->second;
}

bool FakePlatform::writeSettingsLines(const std::vector<std::string>& lines) {
    ++settingsWrites;
    if (!settingsWritable) return false;
    settingsFile = lines;
    return true;
}

void FakePlatform::quit() {
    quitCalled = true;
    log.push_back("quit");
}

std::vector<std::string> FakePlatform::messages() const {
    std::vector<std::string> out;
    for (const std::string& line : log) {
        if (line.rfind("message ", 0) == 0) out.push_back(line.substr(8));
    }
    return out;
}

int FakePlatform::count(const std::string& line) const {
    int n = 0;
    for (const std::string& l : log)
        n += l == line;
    return n;
}

int FakePlatform::countPrefix(const std::string& prefix) const {
    int n = 0;
    for (const std::string& l : log)
        n += l.rfind(prefix, 0) == 0;
    return n;
}

int FakePlatform::find(const std::string& line, int from) const {
    for (int i = from; i < static_cast<int>(log.size()); ++i) {
        if (log[i] == line) return i;
    }
    return -1;
}

std::variant<GameRecord, RecordError> FakePlatform::readRecord(const std::string& file) {
    const auto found = files.find(file);
    if (found == files.end()) return RecordError{0, "no file"};
    return parseRecord(found->second);
}

std::optional<RecordWriteError> FakePlatform::writeRecord(const std::string& file,
                                                          const GameRecord& record) {
    if (const auto reason = unwritable.find(file); reason != unwritable.end())
        return RecordWriteError{file, reason->second};
    files[file] = formatRecord(record);
    return std::nullopt;
}

std::variant<GameRecord, RecordError> FakePlatform::readGameInProgress() {
    return readRecord("Quorvel.kifu");
}

std::optional<RecordWriteError> FakePlatform::writeGameInProgress(const GameRecord& record) {
    gameInProgressWriteAt.push_back(log.size());
    return writeRecord("Quorvel.kifu", record);
}

}
