// A game against a friend over the network: its start, the friend's moves, 待った agreed by both
// players, the friend leaving and coming back, and the setup kept in the game's record so that
// 続きから can rejoin it.

#include "game/network_game.h"

#include <utility>

#include "game/game.h"
#include "game/game_commands.h"
#include "game/repetition.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

const std::string kNetworkTitle = QT_TRANSLATE_NOOP("Game", "対局(ネット)");
const std::string kTakeBackTitle = QT_TRANSLATE_NOOP("Game", "待った");

// The side that makes move `index` (0-based): 先手 the even ones.
int moverOf(std::size_t index) {
    return index % 2 == 0 ? SIDE_SENTE : SIDE_GOTE;
}

}

GameCommand networkCommand(int localSide) {
    return localSide == SIDE_GOTE ? GameCommand::NetGote : GameCommand::NetSente;
}

void nameNetworkGame(GameRecord& record, const NetworkGameSetup& setup) {
    const bool localFirst = networkCommand(setup.localSide) == GameCommand::NetSente;
    record.command = networkCommand(setup.localSide);
    record.sentePlayer = localFirst ? setup.localAddress : setup.friendAddress;
    record.gotePlayer = localFirst ? setup.friendAddress : setup.localAddress;
    record.gameId = setup.gameId;
    record.repetitionDraw = setup.repetitionDraw;
}

std::optional<NetworkGameSetup> networkSetupOf(const GameRecord& record) {
    if (record.command != GameCommand::NetSente && record.command != GameCommand::NetGote)
        return std::nullopt;
    const bool localFirst = record.command == GameCommand::NetSente;
    return NetworkGameSetup{
        localFirst ? SIDE_SENTE : SIDE_GOTE, localFirst ? record.sentePlayer : record.gotePlayer,
        localFirst ? record.gotePlayer : record.sentePlayer, record.gameId, record.repetitionDraw};
}

void Game::setRemotePeer(RemotePeer* peer) {
    peer_ = peer;
}

void Game::startNetworkGame(const NetworkGameSetup& setup) {
    askedKeep_.reset();
    初期設定();
    records_.beginNetworkGame(setup);
    描画_棋譜読込み部分消去();
    描画_将棋盤桝();
    platform_.refresh();
    applyCommand(s_, networkCommand(setup.localSide));
    s_.repetitionDraw = setup.repetitionDraw;
    s_.clockStart = platform_.timeOfDay();
    if (s_.marks.keika) setTimer(true);
    platform_.showMessage(seats().local(s_.turn) ? QT_TRANSLATE_NOOP("Game", "あなたの番です")
                                                 : QT_TRANSLATE_NOOP("Game", "相手の番です"),
                          " ", MessageIcon::None);
}

std::optional<NetworkGameSetup> Game::networkGame() const {
    if (s_.gameMode != MODE_NET || s_.turn == SIDE_NONE || gameEnded(s_)) return std::nullopt;
    return networkSetupOf(history().record);
}

bool Game::onRemoteMove(Direction direction) {
    if (history().shown && history().live) records_.stepLast();
    if (seats().upper != Mover::Remote || history().shown || gameEnded(s_) ||
        s_.turn != s_.sides.comSide) {
        return false;
    }
    playMove(magnetOf(direction));
    return true;
}

void Game::askFriendTakeBack() {
    const auto keep = records_.takeBackKeep();
    if (!keep) {
        platform_.dsPlay(s_.soundForbidden);
        return;
    }
    askedKeep_ = keep;
    if (peer_) peer_->askTakeBack(static_cast<int>(*keep));
    platform_.showMessage(QT_TRANSLATE_NOOP("Game", "相手に待ったを求めました。返事を待っています"),
                          kTakeBackTitle, MessageIcon::None);
}

bool Game::onRemoteTakeBackRequest(int keep) {
    if (history().shown && history().live) records_.stepLast();
    // The friend may only go back to one of the friend's own turns of this game.
    if (seats().upper != Mover::Remote || s_.turn == SIDE_NONE || keep < 0 ||
        static_cast<std::size_t>(keep) >= history().record.moves.size() ||
        moverOf(static_cast<std::size_t>(keep)) != s_.sides.comSide) {
        return false;
    }
    const bool agreed = platform_.askYesNo(
        QT_TRANSLATE_NOOP("Game", "相手が待ったを求めています。受けますか？"), kTakeBackTitle);
    return agreed && records_.takeBackTo(static_cast<std::size_t>(keep));
}

void Game::onTakeBackAnswer(bool agreed, int keep) {
    const auto asked = std::exchange(askedKeep_, std::nullopt);
    if (!asked || keep < 0 || *asked != static_cast<std::size_t>(keep)) return;
    if (!agreed) {
        platform_.showMessage(QT_TRANSLATE_NOOP("Game", "相手が待ったを断りました"), kTakeBackTitle,
                              MessageIcon::None);
        return;
    }
    if (history().shown && history().live) records_.stepLast();
    records_.takeBackTo(*asked);
}

void Game::onFriendLeft() {
    if (!networkGame()) return;
    platform_.showMessage(
        QT_TRANSLATE_NOOP(
            "Game", "相手との接続が切れました。対局は保存してあります。相手が戻れば続きを指せます"),
        kNetworkTitle, MessageIcon::Warning);
}

void Game::onFriendBack() {
    if (!networkGame()) return;
    platform_.showMessage(QT_TRANSLATE_NOOP("Game", "相手が戻りました。対局を続けます"),
                          kNetworkTitle, MessageIcon::None);
}

}
