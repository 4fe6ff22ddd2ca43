// The wire form of the game's payload: one line of "key=value" fields after a kind word, inside
// the <game> element. Reader and writer share the tables below.

#include "net/payload.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quorvel::net {

namespace {

struct KindWord {
    Kind kind;
    std::string_view word;
};
constexpr std::array<KindWord, 9> KIND_WORDS{{
    {Kind::Invite, "invite"},
    {Kind::Accept, "accept"},
    {Kind::Decline, "decline"},
    {Kind::Move, "move"},
    {Kind::Resign, "resign"},
    {Kind::TakeBackRequest, "takeback"},
    {Kind::TakeBackAnswer, "takeback-answer"},
    {Kind::Sync, "sync"},
    {Kind::Refuse, "refuse"},
}};

constexpr std::array<std::string_view, 4> DIRECTION_WORDS{"left", "right", "up", "down"};
constexpr std::string_view MOVE_LETTERS = "lrud";
constexpr std::string_view ELEMENT_OPEN = "<game";
constexpr std::string_view ELEMENT_CLOSE = "</game>";
constexpr std::size_t HASH_DIGITS = 16;
constexpr int MAX_VERSION = 9999;

std::string_view kindWord(Kind kind) {
    for (const KindWord& k : KIND_WORDS) {
        if (k.kind == kind) return k.word;
    }
    return {};
}

// Characters of a refusal's reason: none of them is ever escaped by an XML writer.
bool reasonChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view(" .,:;()_/-").find(c) != std::string_view::npos;
}

std::string_view sideWord(int side) {
    return side == SIDE_SENTE ? "sente" : side == SIDE_GOTE ? "gote" : "none";
}

std::string_view yesNo(bool value) {
    return value ? "yes" : "no";
}

std::string hex(std::uint64_t value) {
    std::string text(HASH_DIGITS, '0');
    for (std::size_t i = HASH_DIGITS; i-- > 0; value >>= 4)
        text[i] = "0123456789abcdef"[value & 15];
    return text;
}

std::string lineOf(const Payload& p) {
    std::string line(kindWord(p.kind));
    const auto field = [&line](std::string_view key, std::string_view value) {
        line.append(" ").append(key).append("=").append(value);
    };
    if (p.kind != Kind::Refuse || !p.gameId.empty()) field("id", p.gameId);
    switch (p.kind) {
        case Kind::Invite:
            field("side", sideWord(p.inviterSide));
            field("draw", yesNo(p.repetitionDraw));
            break;
        case Kind::Move:
            field("n", std::to_string(p.moveNumber));
            field("dir", DIRECTION_WORDS[static_cast<std::size_t>(p.direction)]);
            field("hash", hex(p.positionHash));
            break;
        case Kind::TakeBackRequest:
            field("keep", std::to_string(p.moveNumber));
            break;
        case Kind::TakeBackAnswer:
            field("keep", std::to_string(p.moveNumber));
            field("agree", yesNo(p.agreed));
            break;
        case Kind::Sync: {
            std::string moves;
            for (Direction d : p.moves)
                moves += MOVE_LETTERS[static_cast<std::size_t>(d)];
            field("tb", std::to_string(p.takeBacks));
            field("resigned", sideWord(p.resignedSide));
            field("moves", moves);
            break;
        }
        case Kind::Refuse: {
            std::string reason = p.reason.substr(0, MAX_REASON_BYTES);
            for (char& c : reason)
                c = reasonChar(c) ? c : '_';
            field("reason", reason);
            break;
        }
        case Kind::Accept:
        case Kind::Decline:
        case Kind::Resign:
            break;
    }
    return line;
}

// Reads the fields of one line in their fixed order; any mismatch fails the whole line.
class LineReader {
  public:
    explicit LineReader(std::string_view line) : rest_(line) {}

    std::optional<std::string_view> word() {
        const std::size_t end = rest_.find(' ');
        const std::string_view w = rest_.substr(0, end);
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        if (end != std::string_view::npos && rest_.empty()) return std::nullopt;
        return w;
    }
    // The value of the next field, which must be named `key`.
    std::optional<std::string_view> field(std::string_view key) {
        const auto w = word();
        if (!w || w->size() <= key.size() || !w->starts_with(key) || (*w)[key.size()] != '=') {
            return std::nullopt;
        }
        return w->substr(key.size() + 1);
    }
    // Whether the next field is named `key`.
    bool next(std::string_view key) const {
        return rest_.size() > key.size() && rest_.starts_with(key) && rest_[key.size()] == '=';
    }
    // The rest of the line as the value of the last field `key`.
    std::optional<std::string_view> rest(std::string_view key) {
        if (!next(key)) return std::nullopt;
        const std::string_view value = rest_.substr(key.size() + 1);
        rest_ = {};
        return value;
    }
    bool done() const { return rest_.empty(); }

  private:
    std::string_view rest_;
};

std::optional<int> number(std::optional<std::string_view> text, int low, int high) {
    if (!text || text->empty() || (text->size() > 1 && text->front() == '0')) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc{} || end != text->data() + text->size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

bool lowerHex(std::string_view text, std::size_t digits) {
    if (text.size() != digits) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

template <std::size_t N>
std::optional<std::size_t> oneOf(std::optional<std::string_view> text,
                                 const std::array<std::string_view, N>& words) {
    if (!text) return std::nullopt;
    for (std::size_t i = 0; i < N; ++i) {
        if (words[i] == *text) return i;
    }
    return std::nullopt;
}

constexpr std::array<std::string_view, 2> NO_YES{"no", "yes"};
constexpr std::array<std::string_view, 3> SIDES{"gote", "none", "sente"};

// Fills the kind's own fields; false when any is missing, malformed or out of range.
bool readFields(LineReader& in, Payload& p) {
    switch (p.kind) {
        case Kind::Invite: {
            const auto side = oneOf(in.field("side"), SIDES);
            const auto draw = oneOf(in.field("draw"), NO_YES);
            if (!side || *side == 1 || !draw) return false;
            p.inviterSide = static_cast<int>(*side) - 1;
            p.repetitionDraw = *draw == 1;
            return true;
        }
        case Kind::Move: {
            const auto n = number(in.field("n"), 1, MAX_GAME_MOVES);
            const auto dir = oneOf(in.field("dir"), DIRECTION_WORDS);
            const auto hash = in.field("hash");
            if (!n || !dir || !hash || !lowerHex(*hash, HASH_DIGITS)) return false;
            p.moveNumber = *n;
            p.direction = static_cast<Direction>(*dir);
            std::from_chars(hash->data(), hash->data() + hash->size(), p.positionHash, 16);
            return true;
        }
        case Kind::TakeBackRequest:
        case Kind::TakeBackAnswer: {
            const auto keep = number(in.field("keep"), 0, MAX_GAME_MOVES - 1);
            if (!keep) return false;
            p.moveNumber = *keep;
            if (p.kind == Kind::TakeBackRequest) return true;
            const auto agree = oneOf(in.field("agree"), NO_YES);
            p.agreed = agree == 1;
            return agree.has_value();
        }
        case Kind::Sync: {
            const auto tb = number(in.field("tb"), 0, MAX_TAKE_BACKS);
            const auto resigned = oneOf(in.field("resigned"), SIDES);
            const auto moves = in.rest("moves");
            if (!tb || !resigned || !moves || moves->size() > MAX_GAME_MOVES) return false;
            p.takeBacks = *tb;
            p.resignedSide = static_cast<int>(*resigned) - 1;
            for (char c : *moves) {
                const std::size_t d = MOVE_LETTERS.find(c);
                if (d == std::string_view::npos) return false;
                p.moves.push_back(static_cast<Direction>(d));
            }
            return true;
        }
        case Kind::Refuse: {
            const auto reason = in.rest("reason");
            if (!reason || reason->empty() || reason->size() > MAX_REASON_BYTES) return false;
            for (char c : *reason) {
                if (!reasonChar(c)) return false;
            }
            p.reason = std::string(*reason);
            return true;
        }
        case Kind::Accept:
        case Kind::Decline:
        case Kind::Resign:
            return true;
    }
    return false;
}

// The element's two attributes, in either order, with either quote; the text between the tags.
struct Shell {
    std::string_view version;
    std::string_view text;
};

std::optional<Shell> readShell(std::string_view element) {
    if (!element.starts_with(ELEMENT_OPEN) || !element.ends_with(ELEMENT_CLOSE)) return {};
    std::string_view rest = element.substr(ELEMENT_OPEN.size());
    rest.remove_suffix(ELEMENT_CLOSE.size());
    std::optional<std::string_view> xmlns, version;
    while (rest.starts_with(' ')) {
        rest.remove_prefix(1);
        const std::size_t eq = rest.find('=');
        if (eq == std::string_view::npos || eq + 1 >= rest.size()) return {};
        const std::string_view name = rest.substr(0, eq);
        const char quote = rest[eq + 1];
        if (quote != '"' && quote != '\'') return {};
        const std::size_t close = rest.find(quote, eq + 2);
        if (close == std::string_view::npos) return {};
        const std::string_view value = rest.substr(eq + 2, close - eq - 2);
        auto* slot = name == "xmlns" ? &xmlns : name == "version" ? &version : nullptr;
        if (!slot || *slot) return {};
        *slot = value;
        rest.remove_prefix(close + 1);
    }
    if (!rest.starts_with('>') || !xmlns || !version || *xmlns != PAYLOAD_NAMESPACE) return {};
    return Shell{*version, rest.substr(1)};
}

PayloadError refused(std::string reason, std::string_view line) {
    return PayloadError{std::move(reason), line.starts_with("refuse ")};
}

}

std::string formatPayload(const Payload& payload) {
    std::string element(ELEMENT_OPEN);
    element.append(" xmlns=\"").append(PAYLOAD_NAMESPACE).append("\" version=\"");
    element.append(std::to_string(payload.version)).append("\">");
    element.append(lineOf(payload)).append(ELEMENT_CLOSE);
    return element;
}

std::variant<Payload, PayloadError> parsePayload(std::string_view element) {
    if (element.size() > MAX_PAYLOAD_BYTES) return PayloadError{"payload too long"};
    const auto shell = readShell(element);
    if (!shell) return PayloadError{"not a game element"};
    const std::string_view line = shell->text;
    if (const auto version = number(shell->version, 0, MAX_VERSION); version != PROTOCOL_VERSION) {
        if (!version) return refused("bad version", line);
        return refused("unsupported version " + std::to_string(*version), line);
    }
    LineReader in(line);
    const auto word = in.word();
    const auto known = std::find_if(KIND_WORDS.begin(), KIND_WORDS.end(),
                                    [&](const KindWord& k) { return word && k.word == *word; });
    if (known == KIND_WORDS.end()) return refused("unknown kind", line);
    Payload p;
    p.kind = known->kind;
    // Only a refusal may name no game: it may answer a text whose game could not be read.
    if (p.kind != Kind::Refuse || in.next("id")) {
        const auto id = in.field("id");
        if (!id || !lowerHex(*id, GAME_ID_DIGITS)) return refused("bad game id", line);
        p.gameId = std::string(*id);
    }
    if (!readFields(in, p) || !in.done()) return refused("bad fields", line);
    return p;
}

}
