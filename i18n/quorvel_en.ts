<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Analysis</name>
    <message>
        <source>先手勝ち</source>
        <translation>First wins</translation>
    </message>
    <message>
        <source>互角</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>後手勝ち</source>
        <translation>Second wins</translation>
    </message>
    <message>
        <source>手数</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>勝ちを逃した手</source>
        <translation>Let a win go</translation>
    </message>
    <message>
        <source>負けに入った手</source>
        <translation>Walked into a loss</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>棋譜 (*.kifu)</source>
        <translation>Game records (*.kifu)</translation>
    </message>
    <message>
        <source>棋譜 (*.kifu *.kif)</source>
        <translation>Game records (*.kifu *.kif)</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>先手の番です</source>
        <translation>The first player&apos;s turn</translation>
    </message>
    <message>
        <source>後手の番です</source>
        <translation>The second player&apos;s turn</translation>
    </message>
    <message>
        <source>MANの番です</source>
        <translation>Your turn</translation>
    </message>
    <message>
        <source>思考中</source>
        <translation>Thinking</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの勝ちです</source>
        <translation>The computer wins</translation>
    </message>
    <message>
        <source>Home page</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>（まだありません）</source>
        <translation>(none yet)</translation>
    </message>
    <message>
        <source>e-mail</source>
        <translation>e-mail</translation>
    </message>
    <message numerus="yes">
        <source>手目</source>
        <translation>
            <numerusform>move</numerusform>
            <numerusform>moves</numerusform>
        </translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>新規に対局してください</source>
        <translation>Please start a new game</translation>
    </message>
    <message>
        <source>終局</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation>Please start a game from the &quot;Game&quot; menu</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>あなたの勝ちです</source>
        <translation>You win</translation>
    </message>
    <message>
        <source>先手の勝ちです</source>
        <translation>The first player wins</translation>
    </message>
    <message>
        <source>後手の勝ちです</source>
        <translation>The second player wins</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Game record</translation>
    </message>
    <message>
        <source>棋譜を読めません</source>
        <translation>The game record cannot be read</translation>
    </message>
    <message>
        <source>棋譜を保存できませんでした</source>
        <translation>The game record could not be saved</translation>
    </message>
    <message>
        <source>勝負がついた後の指手です</source>
        <translation>A move after the game was won</translation>
    </message>
    <message>
        <source>%1行目</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>Shift-JISとして読めない文字があります</source>
        <translation>It holds characters that are not valid Shift-JIS</translation>
    </message>
    <message>
        <source>UTF-8として読めない文字があります</source>
        <translation>It holds characters that are not valid UTF-8</translation>
    </message>
    <message>
        <source>行が長すぎます（1,000文字まで）</source>
        <translation>The line is too long (at most 1,000 characters)</translation>
    </message>
    <message>
        <source>棋譜の行として読めません</source>
        <translation>This is not a line of a game record</translation>
    </message>
    <message>
        <source>対局の種類が読めません</source>
        <translation>The kind of game cannot be read</translation>
    </message>
    <message>
        <source>強さが読めません</source>
        <translation>The level cannot be read</translation>
    </message>
    <message>
        <source>結果の行の後に指し手があります</source>
        <translation>A move follows the result line</translation>
    </message>
    <message>
        <source>指し手が多すぎます（10,000手まで）</source>
        <translation>Too many moves (at most 10,000)</translation>
    </message>
    <message>
        <source>手数が順番どおりではありません（%1手目のはずです）</source>
        <translation>The moves are out of order (move %1 expected)</translation>
    </message>
    <message>
        <source>▲か△がありません</source>
        <translation>The move has neither ▲ nor △</translation>
    </message>
    <message>
        <source>先手の手なのに△になっています</source>
        <translation>A move of the first player is marked △</translation>
    </message>
    <message>
        <source>後手の手なのに▲になっています</source>
        <translation>A move of the second player is marked ▲</translation>
    </message>
    <message>
        <source>指し手が上・下・左・右のどれでもありません</source>
        <translation>The move is none of 上, 下, 左, 右 (up, down, left, right)</translation>
    </message>
    <message>
        <source>消費時間が読めません</source>
        <translation>The time cannot be read</translation>
    </message>
    <message>
        <source>対局中です。棋譜を開きますか？</source>
        <translation>A game is in progress. Open a record?</translation>
    </message>
    <message>
        <source>棋譜は10,000手までです。この後の指し手は棋譜に残りません</source>
        <translation>A record holds at most 10,000 moves. The moves from here on are not recorded</translation>
    </message>
    <message>
        <source>対局中の棋譜を書き込めません</source>
        <translation>The game in progress cannot be saved</translation>
    </message>
    <message>
        <source>棋譜のファイルではありません</source>
        <translation>Not a record file</translation>
    </message>
    <message>
        <source>ファイルを開けません</source>
        <translation>The file cannot be opened</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（1 MiBまで）</source>
        <translation>The file is too large (at most 1 MiB)</translation>
    </message>
    <message>
        <source>ファイルを読めません</source>
        <translation>The file cannot be read</translation>
    </message>
    <message>
        <source>書き込む権限がありません</source>
        <translation>No permission to write</translation>
    </message>
    <message>
        <source>ディスクに空きがありません</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>フォルダがありません</source>
        <translation>The folder does not exist</translation>
    </message>
    <message>
        <source>ファイルに書き込めません</source>
        <translation>The file cannot be written</translation>
    </message>
    <message>
        <source>Shift-JISで書けない文字があります</source>
        <translation>Some characters cannot be written in Shift-JIS</translation>
    </message>
    <message>
        <source>千日手</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>千日手の後の指手です</source>
        <translation>A move after the game was drawn by repetition</translation>
    </message>
    <message>
        <source>千日手です</source>
        <translation>Draw by repetition</translation>
    </message>
    <message>
        <source>千日手の有無が読めません</source>
        <translation>Whether repetition draws are played cannot be read</translation>
    </message>
    <message>
        <source>対局(ネット)</source>
        <translation>Network game</translation>
    </message>
    <message>
        <source>待った</source>
        <translation>Take back</translation>
    </message>
    <message>
        <source>あなたの番です</source>
        <translation>Your turn</translation>
    </message>
    <message>
        <source>相手の番です</source>
        <translation>Your friend&apos;s turn</translation>
    </message>
    <message>
        <source>相手に待ったを求めました。返事を待っています</source>
        <translation>You asked your friend to take back. Waiting for the answer</translation>
    </message>
    <message>
        <source>相手が待ったを求めています。受けますか？</source>
        <translation>Your friend asks to take back. Do you agree?</translation>
    </message>
    <message>
        <source>相手が待ったを断りました</source>
        <translation>Your friend declined to take back</translation>
    </message>
    <message>
        <source>相手との接続が切れました。対局は保存してあります。相手が戻れば続きを指せます</source>
        <translation>The connection to your friend is lost. The game is saved and goes on when your friend is back</translation>
    </message>
    <message>
        <source>相手が戻りました。対局を続けます</source>
        <translation>Your friend is back. The game goes on</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resignation</translation>
    </message>
    <message>
        <source>相手の勝ちです</source>
        <translation>Your friend wins</translation>
    </message>
    <message>
        <source>投了した側が読めません</source>
        <translation>Cannot read who resigned</translation>
    </message>
    <message>
        <source>詰め問題</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>先手の番</source>
        <translation>Sente to move</translation>
    </message>
    <message>
        <source>後手の番</source>
        <translation>Gote to move</translation>
    </message>
    <message numerus="yes">
        <source>%n手で勝ち</source>
        <translation>
            <numerusform>Win in %n move</numerusform>
            <numerusform>Win in %n moves</numerusform>
        </translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>失敗です。「待った」でやり直せます</source>
        <translation>Failed. Take back to try again.</translation>
    </message>
    <message>
        <source>全問解きました。最初の問題から始めます</source>
        <translation>All puzzles are solved. Starting again from the first.</translation>
    </message>
    <message>
        <source>詰め問題を読み込めません</source>
        <translation>The puzzles cannot be read</translation>
    </message>
    <message>
        <source>この詰め問題は解けません</source>
        <translation>This puzzle cannot be played</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>左</source>
        <translation>left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>right</translation>
    </message>
    <message>
        <source>上</source>
        <translation>up</translation>
    </message>
    <message>
        <source>下</source>
        <translation>down</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>盤と駒</source>
        <translation>The board and the pieces</translation>
    </message>
    <message>
        <source>9 × 9 の盤に、両者が将棋と同じ20枚ずつの駒を並べて始めます。中央の石は太子で、どちらの駒でもありません。盤の四辺の中央に磁石が一つずつ立っています。駒を手で動かすことはなく、取る・打つ・成るもありません。</source>
        <translation>Both players start with the twenty pieces of a shogi army on a 9 × 9 board. The stone in the centre is the prince, which belongs to neither side. A magnet stands beside the middle of each edge of the board. Nobody ever moves a piece by hand, and nothing is captured, dropped or promoted.</translation>
    </message>
    <message>
        <source>最初の局面</source>
        <translation>The first position</translation>
    </message>
    <message>
        <source>磁石を選ぶ</source>
        <translation>Choosing a magnet</translation>
    </message>
    <message>
        <source>手番の人は四つの磁石のどれか一つをクリックします（キーボードでは ← → ↑ ↓）。太子がその磁石の方へ一マス進み、続いて盤上のほかの駒がすべて磁石の方へ一マスずつ滑ります。駒は盤の端、太子、止まった駒に当たると止まります。</source>
        <translation>The player to move clicks one of the four magnets (or presses ← → ↑ ↓). The prince steps one square toward that magnet, then every other piece on the board slides toward it, one square at a time. A piece stops at the edge of the board, at the prince or at a piece that has stopped.</translation>
    </message>
    <message>
        <source>左の磁石を押す</source>
        <translation>Pressing the left magnet</translation>
    </message>
    <message>
        <source>太子が進み、駒が左へ滑った</source>
        <translation>The prince stepped and the pieces slid left</translation>
    </message>
    <message>
        <source>太子の一歩</source>
        <translation>The prince&apos;s step</translation>
    </message>
    <message>
        <source>太子は、磁石の方の隣のマスが盤の中にあって空いていれば一マス進みます。盤の端や駒でふさがれていれば動きません。それでも駒は同じように滑り、手番は相手に移ります。</source>
        <translation>The prince steps one square when the square next to it on the magnet&apos;s side is on the board and empty. When the edge of the board or a piece is in the way, it stays where it is; the pieces slide all the same and the turn passes to the other side.</translation>
    </message>
    <message>
        <source>上の隣が空いている</source>
        <translation>The square above is empty</translation>
    </message>
    <message>
        <source>太子は一マス進む</source>
        <translation>The prince steps up</translation>
    </message>
    <message>
        <source>上の隣に駒がある</source>
        <translation>A piece stands above</translation>
    </message>
    <message>
        <source>太子は動かず、駒は太子で止まる</source>
        <translation>The prince stays; pieces stop at the prince</translation>
    </message>
    <message>
        <source>勝ち</source>
        <translation>Winning</translation>
    </message>
    <message>
        <source>下側の駒が上側の王を攻めた</source>
        <translation>A lower piece attacks the upper king</translation>
    </message>
    <message>
        <source>上側の駒が下側の王を攻めた</source>
        <translation>An upper piece attacks the lower king</translation>
    </message>
    <message>
        <source>駒の動き</source>
        <translation>How the pieces move</translation>
    </message>
    <message>
        <source>下側の駒は黄色のマスへ行けます。上側の駒は向きが上下逆になります。香・角・飛は、間に駒がなければ盤の端までどこまでも行けます。</source>
        <translation>A lower piece can go to the yellow squares; the upper side&apos;s pieces move the same way, upside down. The lance, the bishop and the rook go on to the edge of the board as long as no piece stands in between.</translation>
    </message>
    <message>
        <source>歩兵</source>
        <translation>Pawn</translation>
    </message>
    <message>
        <source>香車</source>
        <translation>Lance</translation>
    </message>
    <message>
        <source>桂馬</source>
        <translation>Knight</translation>
    </message>
    <message>
        <source>銀将</source>
        <translation>Silver general</translation>
    </message>
    <message>
        <source>金将</source>
        <translation>Gold general</translation>
    </message>
    <message>
        <source>角行</source>
        <translation>Bishop</translation>
    </message>
    <message>
        <source>飛車</source>
        <translation>Rook</translation>
    </message>
    <message>
        <source>王将</source>
        <translation>King</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menus</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>キーボード</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>最初の局面から %1 と押す（最後の一押しの前）</source>
        <translation>From the first position, pressing %1 (before the last press)</translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li&gt;背景画: 緑・畳・竹・宇宙・煉瓦の五つから背景を選びます。&lt;/li&gt;&lt;li&gt;移動指導: 印を設定ファイルに保つだけで、動作は変わりません。&lt;/li&gt;&lt;li&gt;経過時間: 両者の使った時間を盤の下の左右に表示します。&lt;/li&gt;&lt;li&gt;BGM: 音楽を鳴らします。&lt;/li&gt;&lt;li&gt;強さ: コンピュータの強さを入門・初級・中級・上級から選びます。&lt;/li&gt;&lt;li&gt;言語 / Language: 日本語と英語を切り替えます。&lt;/li&gt;&lt;li&gt;千日手: 印を付けると、同じ局面 (同じ盤と手番) が四度目に現れたとき勝負なしで終局します。対局中に切り替えたときは次の対局から効きます。&lt;/li&gt;&lt;/ul&gt;オプションは、ゲームを起動したフォルダの Quorvel.ini に保存されます。</source>
        <translation>&lt;ul&gt;&lt;li&gt;Background: one of five backgrounds, green, tatami, bamboo, space and brick.&lt;/li&gt;&lt;li&gt;Move guidance: only keeps its mark in the settings file; it changes nothing.&lt;/li&gt;&lt;li&gt;Elapsed time: shows the time each player has used, left and right of the bottom of the board.&lt;/li&gt;&lt;li&gt;Background music: plays the music.&lt;/li&gt;&lt;li&gt;Strength: how well the computer plays, Beginner, Novice, Intermediate or Advanced.&lt;/li&gt;&lt;li&gt;言語 / Language: switches between Japanese and English.&lt;/li&gt;&lt;li&gt;Repetition draw: when checked, a game ends without a winner the fourth time the same position (the same board and side to move) occurs. Changed during a game, it applies from the next game.&lt;/li&gt;&lt;/ul&gt;The options are saved in Quorvel.ini in the folder the game runs from.</translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li&gt;← → ↑ ↓: 左・右・上・下の磁石を押します。マウスで押すのと同じです。&lt;/li&gt;&lt;li&gt;Ctrl+N, F2, F3, Ctrl+Q, F5, Ctrl+R, Ctrl+H, Ctrl+Z, F1, Ctrl+O, Ctrl+S, Home, Page Up, Page Down, End: メニューの項目と同じです。&lt;/li&gt;&lt;li&gt;Esc: ゲームを終わります。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;ul&gt;&lt;li&gt;← → ↑ ↓: press the left, right, upper or lower magnet, just as a click on it does.&lt;/li&gt;&lt;li&gt;Ctrl+N, F2, F3, Ctrl+Q, F5, Ctrl+R, Ctrl+H, Ctrl+Z, F1, Ctrl+O, Ctrl+S, Home, Page Up, Page Down, End: the menu items that show these keys.&lt;/li&gt;&lt;li&gt;Esc: ends the program.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>駒が滑り終わるたびに盤を調べます。どちらかの駒が、将棋の本来の動きで相手の王のマスへ行けるなら、その側の勝ちです。攻めた駒と王が赤い枠で囲まれ、点滅します。</source>
        <translation>After every slide the board is examined. As soon as a piece of one side could reach the other side&apos;s king by its ordinary shogi move, that side wins. The attacking piece and the king are outlined in red and blink.</translation>
    </message>
    <message>
        <source>二人の対局では、一度に両方の王が狙われたときは先手の勝ちです。コンピュータとの対局では、あなたが押した後は両方を調べ、両方の王が狙われていればあなたの勝ちです。コンピュータが押した後はコンピュータの攻めだけを調べます。そのときあなたの駒がコンピュータの王を狙っていても勝ちにはならず、対局が続きます。</source>
        <translation>Between two players, when one move leaves both kings attacked, the first player wins. Against the computer, both sides are examined after your move, and when both kings are attacked you win. After the computer&apos;s move only the computer&apos;s attack is examined: if one of your pieces then attacks the computer&apos;s king, that is no win, and play goes on.</translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li&gt;対局 → 対局(人間) → スタート (Ctrl+N): 二人で交互に磁石を押します。&lt;/li&gt;&lt;li&gt;対局 → 対局(COM) → 先手 (F2): コンピュータと対局し、あなたが先に指します。後手 (F3): コンピュータが先に指します。&lt;/li&gt;&lt;li&gt;対局の途中で別の対局を選ぶと、今の局面のまま対局の種類だけが変わります。&lt;/li&gt;&lt;li&gt;対局 → 終わり (Ctrl+Q): ゲームを終わります。&lt;/li&gt;&lt;li&gt;局面 → 最初 (Ctrl+R): 対局をやめて最初の局面に戻します。&lt;/li&gt;&lt;li&gt;局面 → ヒント (Ctrl+H): 上級のコンピュータなら押す磁石を点滅させます。&lt;/li&gt;&lt;li&gt;局面 → 待った (Ctrl+Z): コンピュータとの対局では自分の前の番まで、二人の対局では一手戻します。勝負がついた後でも戻せます。&lt;/li&gt;&lt;li&gt;対局 → 続きから (F5): 前にゲームを終えたとき途中だった対局を続けます。&lt;/li&gt;&lt;li&gt;その他: 版を表示します。&lt;/li&gt;&lt;li&gt;棋譜 → 開く… (Ctrl+O)・保存… (Ctrl+S): 棋譜ファイル (.kifu, .kif) を開き、今の対局を保存します。先頭 (Home)・前へ (Page Up)・次へ (Page Down)・最後 (End) で局面をたどり、そこで対局を選ぶとその局面から指し続けます。&lt;/li&gt;&lt;li&gt;ヘルプ → 遊び方 (F1): この画面を開きます。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;ul&gt;&lt;li&gt;Game → Two players → Start (Ctrl+N): two players take turns pressing the magnets.&lt;/li&gt;&lt;li&gt;Game → Against the computer → Move first (F2): play the computer and move first. Move second (F3): the computer moves first.&lt;/li&gt;&lt;li&gt;Choosing a game during a game changes only the kind of game; play goes on from the current position.&lt;/li&gt;&lt;li&gt;Game → Quit (Ctrl+Q): ends the program.&lt;/li&gt;&lt;li&gt;Position → First position (Ctrl+R): abandons the game and puts back the first position.&lt;/li&gt;&lt;li&gt;Position → Hint (Ctrl+H): blinks the magnet the computer would press at Advanced.&lt;/li&gt;&lt;li&gt;Position → Take back (Ctrl+Z): against the computer, goes back to your previous turn; between two players, one move. It works after a win too.&lt;/li&gt;&lt;li&gt;Game → Continue (F5): goes on with the game that was in progress when the program last ended.&lt;/li&gt;&lt;li&gt;Other: shows the version.&lt;/li&gt;&lt;li&gt;Record → Open… (Ctrl+O) and Save… (Ctrl+S): open a game record (.kifu, .kif) and save the current game. First move (Home), Previous (Page Up), Next (Page Down) and Last move (End) step through its positions; choosing a game there plays on from that position.&lt;/li&gt;&lt;li&gt;Help → How to play (F1): opens this window.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;ul&gt;&lt;li&gt;対局 → 対局(ネット) → 接続…: XMPP のアカウント (アドレスとパスワード) でサーバーにつなぎます。招待…: 友だちのアドレスと自分の手番を選んで対局を申し込みます。切断: 接続を切ります (対局は保存され、つなぎ直すと続きます)。&lt;/li&gt;&lt;li&gt;局面 → 投了: 手番の側が負けを認めて対局を終えます。ネット対局では自分が投了します。ネット対局の待ったは相手に尋ね、受けてもらえたときに戻します。&lt;/li&gt;&lt;li&gt;棋譜 → 解析: 対局の流れをグラフで示します。勝ちを逃した手と負けに入った手に印が付き、点を押すとその局面を表示します。&lt;/li&gt;&lt;li&gt;練習 → 詰め問題…: 何手で勝てるかが示された局面から、手番の側を持って勝ちを目指します。コンピュータは最も長く粘る受けをします。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;ul&gt;&lt;li&gt;Game → Online → Connect…: connects to a server with an XMPP account (address and password). Invite…: offers a game to a friend's address, with the side you choose. Disconnect: closes the connection (the game is kept and goes on when you connect again).&lt;/li&gt;&lt;li&gt;Position → Resign: the side to move gives the game up. In a network game you resign. Take back in a network game asks your friend and goes back when the friend agrees.&lt;/li&gt;&lt;li&gt;Record → Analysis: shows the course of the game as a graph. Moves that let a win go or walked into a loss are marked; click a point to see that position.&lt;/li&gt;&lt;li&gt;Practice → Puzzle…: a position where the side to move wins in a given number of moves: play that side and win. The computer defends as long as it can.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>対局(人間)</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>対局(COM)</source>
        <translation>Against the computer</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>Move first</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Move second</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>局面</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>First position</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>背景画</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>畳</source>
        <translation>Tatami</translation>
    </message>
    <message>
        <source>竹</source>
        <translation>Bamboo</translation>
    </message>
    <message>
        <source>宇宙</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>煉瓦</source>
        <translation>Brick</translation>
    </message>
    <message>
        <source>移動指導</source>
        <translation>Move guidance</translation>
    </message>
    <message>
        <source>経過時間</source>
        <translation>Elapsed time</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Background music</translation>
    </message>
    <message>
        <source>言語 / Language</source>
        <translation>言語 / Language</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>遊び方</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>強さ</source>
        <translation>Strength</translation>
    </message>
    <message>
        <source>入門</source>
        <translation>Beginner</translation>
    </message>
    <message>
        <source>初級</source>
        <translation>Novice</translation>
    </message>
    <message>
        <source>中級</source>
        <translation>Intermediate</translation>
    </message>
    <message>
        <source>上級</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>待った</source>
        <translation>Take back</translation>
    </message>
    <message>
        <source>続きから</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>開く…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>保存…</source>
        <translation>Save…</translation>
    </message>
    <message>
        <source>先頭</source>
        <translation>First move</translation>
    </message>
    <message>
        <source>前へ</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>最後</source>
        <translation>Last move</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>千日手</source>
        <translation>Repetition draw</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>練習</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>詰め問題…</source>
        <translation>Puzzle…</translation>
    </message>
    <message>
        <source>対局(ネット)</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>接続…</source>
        <translation>Connect…</translation>
    </message>
    <message>
        <source>招待…</source>
        <translation>Invite…</translation>
    </message>
    <message>
        <source>切断</source>
        <translation>Disconnect</translation>
    </message>
</context>
<context>
    <name>Online</name>
    <message>
        <source>接続</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>ホスト:ポート (省略可)</source>
        <translation>host:port (optional)</translation>
    </message>
    <message>
        <source>パスワードを記憶する</source>
        <translation>Remember the password</translation>
    </message>
    <message>
        <source>アドレス</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>サーバー</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>アドレスは 名前@ドメイン の形です。</source>
        <translation>An address has the form name@domain.</translation>
    </message>
    <message>
        <source>サーバーは ホスト:ポート の形です。</source>
        <translation>A server has the form host:port.</translation>
    </message>
    <message>
        <source>招待</source>
        <translation>Invite</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>First</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>おまかせ</source>
        <translation>Either</translation>
    </message>
    <message>
        <source>相手のアドレス</source>
        <translation>Friend&apos;s address</translation>
    </message>
    <message>
        <source>自分の手番</source>
        <translation>Your side</translation>
    </message>
    <message>
        <source>自分は招待できません。</source>
        <translation>You cannot invite yourself.</translation>
    </message>
    <message>
        <source>%1 から対局の申し込み (先手)</source>
        <translation>%1 invites you to a game (you move first)</translation>
    </message>
    <message>
        <source>%1 から対局の申し込み (後手)</source>
        <translation>%1 invites you to a game (you move second)</translation>
    </message>
    <message>
        <source>受ける</source>
        <translation>Accept</translation>
    </message>
    <message>
        <source>断る</source>
        <translation>Decline</translation>
    </message>
    <message>
        <source>接続中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>オンライン</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>切断</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>接続できませんでした: %1</source>
        <translation>Could not connect: %1</translation>
    </message>
    <message>
        <source>%1 は対局を断りました。</source>
        <translation>%1 declined the game.</translation>
    </message>
    <message>
        <source>%1 から1分以内に返事がありませんでした。招待を取り消しました。</source>
        <translation>%1 did not answer within a minute. The invitation was withdrawn.</translation>
    </message>
    <message>
        <source>%1 はオフラインです。招待を取り消しました。</source>
        <translation>%1 is offline. The invitation was withdrawn.</translation>
    </message>
    <message>
        <source>相手の棋譜と食い違いがあります。この対局は続けられません。</source>
        <translation>Your friend&apos;s record of the game differs from yours. This game cannot go on.</translation>
    </message>
</context>
</TS>
