#include "ui/help_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "rules/board.h"
#include "rules/pieces.h"
#include "ui/art/pictures.h"
#include "ui/help_pictures.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

// A full-size board diagram's width with its figure's margins, and what the page needs beside
// it (its margins and the scroll bar).
constexpr int DIAGRAM_WIDTH = 11 * 33 + 8;
constexpr int PAGE_CHROME = 64;
// The smallest the diagrams are drawn.
constexpr double SMALLEST_DIAGRAMS = 0.5;
constexpr int RED = 12;
constexpr int WIN_SEARCH_PRESSES = 8;

QString help(const char* text) {
    return translated(HELP_CONTEXT, text);
}

QLabel* heading(const char* text) {
    auto* label = new QLabel(help(text));
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    label->setContentsMargins(0, 12, 0, 2);
    return label;
}

QLabel* paragraph(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.1);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    return label;
}

// Where a section goes and how its pictures fit the window: side by side at full size in a
// wide window, stacked and drawn smaller in a narrow one.
struct Page {
    QVBoxLayout* layout;
    const PictureSet& pictures;
    PageFit fit;
};

// A diagram at the page's size: drawn at the window's ratio, then shrunk smoothly when the page
// is narrow.
QImage picture(const Page& page, const Diagram& diagram) {
    QImage image = drawDiagram(diagram, page.pictures);
    if (page.fit.scale < 1) {
        image = image.scaled(image.size() * page.fit.scale, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
        image.setDevicePixelRatio(page.pictures.devicePixelRatio());
    }
    return image;
}

// A picture with its caption below it.
QWidget* figure(const QImage& image, const QString& caption) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap::fromImage(image));
    picture->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(caption);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setMaximumWidth(std::max(160, int(image.width() / image.devicePixelRatio())));
    layout->addWidget(picture);
    layout->addWidget(text);
    return box;
}

// Figures side by side (stacked on a narrow page), an arrow between a "before" and an "after".
QWidget* row(const Page& page, const QList<QWidget*>& figures, bool arrows) {
    auto* box = new QWidget;
    QBoxLayout* layout =
        page.fit.stacked ? static_cast<QBoxLayout*>(new QVBoxLayout(box)) : new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    // Stacked figures stand centred one under the other; side by side they start at the left.
    const Qt::Alignment align = page.fit.stacked ? Qt::AlignHCenter : Qt::Alignment();
    for (int i = 0; i < figures.size(); ++i) {
        if (arrows && i > 0) {
            auto* arrow = new QLabel(page.fit.stacked ? QStringLiteral("↓") : QStringLiteral("→"));
            QFont font = arrow->font();
            font.setPointSizeF(font.pointSizeF() * 2);
            arrow->setFont(font);
            layout->addWidget(arrow, 0, align);
        }
        layout->addWidget(figures[i], 0, align);
    }
    if (!page.fit.stacked) layout->addStretch();
    return box;
}

QString directionWord(Direction direction) {
    switch (direction) {
        case Direction::Left:
            return help(QT_TRANSLATE_NOOP("Help", "左"));
        case Direction::Right:
            return help(QT_TRANSLATE_NOOP("Help", "右"));
        case Direction::Up:
            return help(QT_TRANSLATE_NOOP("Help", "上"));
        case Direction::Down:
            return help(QT_TRANSLATE_NOOP("Help", "下"));
    }
    return {};
}

Board firstPosition() {
    Board board;
    layFirstPosition(board);
    return board;
}

const std::vector<Direction> allMagnets{Direction::Left, Direction::Right, Direction::Up,
                                        Direction::Down};

// The sections of the page, top to bottom. Each adds its heading, its text and its pictures.

void boardSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "盤と駒")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "9 × 9 の盤に、両者が将棋と同じ20枚ずつの駒を並べて始めます。中央の石は太子で、"
        "どちらの駒でもありません。盤の四辺の中央に磁石が一つずつ立っています。駒を手で"
        "動かすことはなく、取る・打つ・成るもありません。"))));
    Diagram first;
    first.board = firstPosition();
    first.magnets = allMagnets;
    page.layout->addWidget(
        row(page, {figure(picture(page, first), help(QT_TRANSLATE_NOOP("Help", "最初の局面")))},
            false));
}

void magnetSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "磁石を選ぶ")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "手番の人は四つの磁石のどれか一つをクリックします（キーボードでは ← → ↑ ↓）。"
        "太子がその磁石の方へ一マス進み、続いて盤上のほかの駒がすべて磁石の方へ一マスずつ"
        "滑ります。駒は盤の端、太子、止まった駒に当たると止まります。"))));
    Diagram before;
    before.board = firstPosition();
    before.magnets = allMagnets;
    before.pressed = Direction::Left;
    Diagram after = before;
    playMagnet(after.board, Direction::Left);
    page.layout->addWidget(
        row(page,
            {figure(picture(page, before), help(QT_TRANSLATE_NOOP("Help", "左の磁石を押す"))),
             figure(picture(page, after),
                    help(QT_TRANSLATE_NOOP("Help", "太子が進み、駒が左へ滑った")))},
            true));
}

void princeSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "太子の一歩")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "太子は、磁石の方の隣のマスが盤の中にあって空いていれば一マス進みます。盤の端や"
        "駒でふさがれていれば動きません。それでも駒は同じように滑り、手番は相手に移ります。"))));
    Diagram free;
    free.fromX = 3;
    free.toX = 7;
    free.magnets = {Direction::Up};
    free.pressed = Direction::Up;
    free.board(5, 5) = PRINCE;
    free.board(4, 8) = LOWER_PAWN;
    free.board(6, 3) = UPPER_PAWN;
    Diagram freeAfter = free;
    playMagnet(freeAfter.board, Direction::Up);
    Diagram blocked = free;
    blocked.board = Board{};
    blocked.board(5, 5) = PRINCE;
    blocked.board(5, 4) = UPPER_SILVER;
    blocked.board(5, 8) = LOWER_GOLD;
    Diagram blockedAfter = blocked;
    playMagnet(blockedAfter.board, Direction::Up);
    page.layout->addWidget(
        row(page,
            {figure(picture(page, free), help(QT_TRANSLATE_NOOP("Help", "上の隣が空いている"))),
             figure(picture(page, freeAfter), help(QT_TRANSLATE_NOOP("Help", "太子は一マス進む")))},
            true));
    page.layout->addWidget(
        row(page,
            {figure(picture(page, blocked), help(QT_TRANSLATE_NOOP("Help", "上の隣に駒がある"))),
             figure(picture(page, blockedAfter),
                    help(QT_TRANSLATE_NOOP("Help", "太子は動かず、駒は太子で止まる")))},
            true));
}

void winSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "勝ち")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "駒が滑り終わるたびに盤を調べます。どちらかの駒が、将棋の本来の動きで相手の王の"
        "マスへ行けるなら、その側の勝ちです。攻めた駒と王が赤い枠で囲まれ、点滅します。"))));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "二人の対局では、一度に両方の王が狙われたときは先手の勝ちです。コンピュータとの対局では、"
        "あなたが押した後は両方を調べ、両方の王が狙われていればあなたの勝ちです。コンピュータが"
        "押した後はコンピュータの攻めだけを調べます。そのときあなたの駒がコンピュータの王を"
        "狙っていても勝ちにはならず、対局が続きます。"))));
    const std::optional<WinExample> win = findWinExample(WIN_SEARCH_PRESSES);
    if (!win) return;
    QStringList words;
    for (const Direction direction : win->presses)
        words << directionWord(direction);
    Diagram before;
    before.board = win->before;
    before.magnets = allMagnets;
    before.pressed = win->presses.back();
    Diagram after = before;
    after.board = win->after;
    after.outlines = {{win->attacker, RED}, {win->king, RED}};
    const QString beforeCaption =
        help(QT_TRANSLATE_NOOP("Help", "最初の局面から %1 と押す（最後の一押しの前）"))
            .arg(words.join(QStringLiteral(" → ")));
    const QString winner = win->lowerWins
                               ? help(QT_TRANSLATE_NOOP("Help", "下側の駒が上側の王を攻めた"))
                               : help(QT_TRANSLATE_NOOP("Help", "上側の駒が下側の王を攻めた"));
    page.layout->addWidget(row(
        page, {figure(picture(page, before), beforeCaption), figure(picture(page, after), winner)},
        true));
}

void piecesSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "駒の動き")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "下側の駒は黄色のマスへ行けます。上側の駒は向きが上下逆になります。香・角・飛は、"
        "間に駒がなければ盤の端までどこまでも行けます。"))));
    struct PieceName {
        int code;
        const char* name;
    };
    const PieceName pieces[] = {
        {LOWER_PAWN, QT_TRANSLATE_NOOP("Help", "歩兵")},
        {LOWER_LANCE, QT_TRANSLATE_NOOP("Help", "香車")},
        {LOWER_KNIGHT, QT_TRANSLATE_NOOP("Help", "桂馬")},
        {LOWER_SILVER, QT_TRANSLATE_NOOP("Help", "銀将")},
        {LOWER_GOLD, QT_TRANSLATE_NOOP("Help", "金将")},
        {LOWER_BISHOP, QT_TRANSLATE_NOOP("Help", "角行")},
        {LOWER_ROOK, QT_TRANSLATE_NOOP("Help", "飛車")},
        {LOWER_KING, QT_TRANSLATE_NOOP("Help", "王将")},
    };
    auto* moves = new QWidget;
    auto* grid = new QGridLayout(moves);
    grid->setContentsMargins(0, 0, 0, 0);
    const int perRow = page.fit.stacked ? 2 : 4;
    for (int i = 0; i < int(std::size(pieces)); ++i) {
        Diagram diagram;
        diagram.fromX = diagram.fromY = 3;
        diagram.toX = diagram.toY = 7;
        diagram.frame = false;
        diagram.board(5, 5) = pieces[i].code;
        diagram.reached = reachOf(pieces[i].code);
        std::erase_if(diagram.reached,
                      [](const Square& s) { return s.x < 3 || s.x > 7 || s.y < 3 || s.y > 7; });
        grid->addWidget(figure(picture(page, diagram), help(pieces[i].name)), i / perRow,
                        i % perRow);
    }
    page.layout->addWidget(moves);
}

void menuSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "メニュー")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "<ul>"
        "<li>対局 → 対局(人間) → スタート (Ctrl+N): 二人で交互に磁石を押します。</li>"
        "<li>対局 → 対局(COM) → 先手 (F2): コンピュータと対局し、あなたが先に指します。"
        "後手 (F3): コンピュータが先に指します。</li>"
        "<li>対局の途中で別の対局を選ぶと、今の局面のまま対局の種類だけが変わります。</li>"
        "<li>対局 → 終わり (Ctrl+Q): ゲームを終わります。</li>"
        "<li>局面 → 最初 (Ctrl+R): 対局をやめて最初の局面に戻します。</li>"
        "<li>局面 → ヒント (Ctrl+H): 上級のコンピュータなら押す磁石を点滅させます。</li>"
        "<li>局面 → 待った (Ctrl+Z): コンピュータとの対局では自分の前の番まで、二人の対局では"
        "一手戻します。勝負がついた後でも戻せます。</li>"
        "<li>対局 → 続きから (F5): 前にゲームを終えたとき途中だった対局を続けます。</li>"
        "<li>その他: 版を表示します。</li>"
        "<li>棋譜 → 開く… (Ctrl+O)・保存… (Ctrl+S): 棋譜ファイル (.kifu, .kif) を開き、"
        "今の対局を保存します。先頭 (Home)・前へ (Page Up)・次へ (Page Down)・最後 (End) で"
        "局面をたどり、そこで対局を選ぶとその局面から指し続けます。</li>"
        "<li>ヘルプ → 遊び方 (F1): この画面を開きます。</li>"
        "</ul>"))));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "<ul>"
        "<li>対局 → 対局(ネット) → 接続…: XMPP のアカウント (アドレスとパスワード) で"
        "サーバーにつなぎます。招待…: 友だちのアドレスと自分の手番を選んで対局を申し込みます。"
        "切断: 接続を切ります (対局は保存され、つなぎ直すと続きます)。</li>"
        "<li>局面 → 投了: 手番の側が負けを認めて対局を終えます。ネット対局では自分が投了します。"
        "ネット対局の待ったは相手に尋ね、受けてもらえたときに戻します。</li>"
        "<li>棋譜 → 解析: 対局の流れをグラフで示します。勝ちを逃した手と負けに入った手に"
        "印が付き、点を押すとその局面を表示します。</li>"
        "<li>練習 → 詰め問題…: 何手で勝てるかが示された局面から、手番の側を持って"
        "勝ちを目指します。コンピュータは最も長く粘る受けをします。</li>"
        "</ul>"))));
}

void optionSection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "オプション")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "<ul>"
        "<li>背景画: 緑・畳・竹・宇宙・煉瓦の五つから背景を選びます。</li>"
        "<li>移動指導: 印を設定ファイルに保つだけで、動作は変わりません。</li>"
        "<li>経過時間: 両者の使った時間を盤の下の左右に表示します。</li>"
        "<li>BGM: 音楽を鳴らします。</li>"
        "<li>強さ: コンピュータの強さを入門・初級・中級・上級から選びます。</li>"
        "<li>言語 / Language: 日本語と英語を切り替えます。</li>"
        "<li>千日手: 印を付けると、同じ局面 (同じ盤と手番) "
        "が四度目に現れたとき勝負なしで終局します。"
        "対局中に切り替えたときは次の対局から効きます。</li>"
        "</ul>"
        "オプションは、ゲームを起動したフォルダの Quorvel.ini に保存されます。"))));
}

void keySection(const Page& page) {
    page.layout->addWidget(heading(QT_TRANSLATE_NOOP("Help", "キーボード")));
    page.layout->addWidget(paragraph(help(QT_TRANSLATE_NOOP(
        "Help",
        "<ul>"
        "<li>← → ↑ ↓: 左・右・上・下の磁石を押します。マウスで押すのと同じです。</li>"
        "<li>Ctrl+N, F2, F3, Ctrl+Q, F5, Ctrl+R, Ctrl+H, Ctrl+Z, F1, Ctrl+O, Ctrl+S, Home, "
        "Page Up, Page Down, End: メニューの項目と同じです。</li>"
        "<li>Esc: ゲームを終わります。</li>"
        "</ul>"))));
}
}

PageFit pageFit(int width) {
    const bool stacked = width < HELP_PAGE_WIDTH;
    const double room = double(width - PAGE_CHROME) / DIAGRAM_WIDTH;
    return {stacked, stacked ? std::clamp(room, SMALLEST_DIAGRAMS, 1.0) : 1.0};
}

QWidget* buildHelpPage(const PictureSet& pictures, PageFit fit) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 8, 16, 16);
    const Page sections{layout, pictures, fit};
    boardSection(sections);
    magnetSection(sections);
    princeSection(sections);
    winSection(sections);
    piecesSection(sections);
    menuSection(sections);
    optionSection(sections);
    keySection(sections);
    layout->addStretch();
    return page;
}

}
