<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AccountFormDialog</name>
    <message>
        <source>Add Account</source>
        <translation>アカウントを追加</translation>
    </message>
    <message>
        <source>Where are your calendars?</source>
        <translation>カレンダーはどこにありますか？</translation>
    </message>
    <message>
        <source>Google and Microsoft accounts sign in through your web browser, so this program never sees their passwords.</source>
        <translation>Google と Microsoft のアカウントはウェブブラウザーでサインインするため、このプログラムがパスワードを知ることはありません。</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Google Calendar, signed in through your browser.</source>
        <translation>Google カレンダー（ブラウザーでサインイン）。</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
    <message>
        <source>Outlook.com and Microsoft 365, signed in through your browser. Their calendars do not sync yet.</source>
        <translation>Outlook.com と Microsoft 365（ブラウザーでサインイン）。これらのカレンダーはまだ同期されません。</translation>
    </message>
    <message>
        <source>CalDAV Server</source>
        <translation>CalDAV サーバー</translation>
    </message>
    <message>
        <source>Nextcloud, Synology, Radicale, iCloud and other servers, with a user name and password.</source>
        <translation>Nextcloud、Synology、Radicale、iCloud などのサーバー（ユーザー名とパスワードを使用）。</translation>
    </message>
    <message>
        <source>Edit Account</source>
        <translation>アカウントを編集</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 分</translation>
    </message>
    <message>
        <source>Manual only</source>
        <translation>手動のみ</translation>
    </message>
    <message>
        <source>Sync every:</source>
        <translation>同期間隔:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>アドレス:</translation>
    </message>
    <message>
        <source>Not signed in</source>
        <translation>サインインしていません</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>%1 としてサインイン中</translation>
    </message>
    <message>
        <source>Sign-in:</source>
        <translation>サインイン:</translation>
    </message>
    <message>
        <source>Sign In Again…</source>
        <translation>もう一度サインイン…</translation>
    </message>
    <message>
        <source>No password saved</source>
        <translation>パスワードは保存されていません</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <translation>変更なし</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>パスワード:</translation>
    </message>
    <message>
        <source>Certificate:</source>
        <translation>証明書:</translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation>接続を確認</translation>
    </message>
    <message>
        <source>Connected: the server accepted the password.</source>
        <translation>接続しました: サーバーがパスワードを受け入れました。</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>アカウントを保存できませんでした。</translation>
    </message>
    <message>
        <source>That sign-in is for %1, not for this account (%2). Sign in as %2, or add %1 as an account of its own.</source>
        <translation>このサインインは %1 のもので、このアカウント（%2）のものではありません。%2 としてサインインするか、%1 を別のアカウントとして追加してください。</translation>
    </message>
    <message>
        <source>%1 account</source>
        <translation>%1 アカウント</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the new tokens; the account keeps its old sign-in.</source>
        <translation>サインインしましたが、資格情報ストアが新しいトークンを保存できませんでした。アカウントは以前のサインイン情報のままです。</translation>
    </message>
    <message>
        <source>Signed in, but the credential store did not take the tokens, so no account was added.</source>
        <translation>サインインしましたが、資格情報ストアがトークンを保存できなかったため、アカウントは追加されませんでした。</translation>
    </message>
    <message>
        <source>Signed in again as %1.</source>
        <translation>%1 として再度サインインしました。</translation>
    </message>
    <message>
        <source>Checked by the system</source>
        <translation>システムで確認済み</translation>
    </message>
    <message>
        <source>Pinned, SHA-256 %1</source>
        <translation>固定済み、SHA-256 %1</translation>
    </message>
    <message>
        <source>Enter the password first.</source>
        <translation>先にパスワードを入力してください。</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>接続しています…</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>名前を入力してください。</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>パスワードを資格情報ストアに保存できませんでした。</translation>
    </message>
    <message>
        <source>This account was removed meanwhile, so it cannot be saved.</source>
        <translation>このアカウントはその間に削除されたため、保存できません。</translation>
    </message>
</context>
<context>
    <name>AgendaEventRow</name>
    <message>
        <source>All-day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
</context>
<context>
    <name>AgendaListWidget</name>
    <message>
        <source>No upcoming events</source>
        <translation>今後の予定はありません</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>未完了に戻す</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>完了にする</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>タスクを削除しますか？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>フィルター「%1」を編集…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>予定からフィルターを作成…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>予定を削除しますか？</translation>
    </message>
</context>
<context>
    <name>AgendaTaskRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>期限切れ</translation>
    </message>
</context>
<context>
    <name>AllDayStrip</name>
    <message>
        <source>all-day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>+%1 more</source>
        <translation>他 %1 件</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The file was left unchanged.</source>
        <translation>ファイルは変更されていません。</translation>
    </message>
    <message>
        <source>The calendar file %1 is not a database.</source>
        <translation>カレンダーファイル %1 はデータベースではありません。</translation>
    </message>
    <message>
        <source>The calendar file %1 is damaged.</source>
        <translation>カレンダーファイル %1 は破損しています。</translation>
    </message>
    <message>
        <source>The calendar file %1 was made by a newer version of this program (schema %2; this version reads up to %3). Update the program to open it.</source>
        <translation>カレンダーファイル %1 はこのプログラムの新しいバージョンで作成されています（スキーマ %2。このバージョンが読み込めるのは %3 までです）。開くにはプログラムをアップデートしてください。</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only and was made by an older version of this program; it has to be updated before it can be opened. Make it writable and start again.</source>
        <translation>カレンダーファイル %1 は読み取り専用で、このプログラムの古いバージョンで作成されています。開く前に更新する必要があります。ファイルを書き込み可能にしてから、もう一度起動してください。</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

This is a file, not a folder. Move or rename the file, then start again.</source>
        <translation>データベースを初期化できませんでした。

データフォルダー: %1

これはフォルダーではなくファイルです。ファイルを移動するか名前を変更してから、もう一度起動してください。</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

The calendar file %1 is a folder, not a database file. Move or rename the folder, then start again.</source>
        <translation>データベースを初期化できませんでした。

カレンダーファイル %1 はデータベースファイルではなくフォルダーです。フォルダーを移動するか名前を変更してから、もう一度起動してください。</translation>
    </message>
    <message>
        <source>Failed to initialize the database.

Data directory: %1

Please check file permissions and try again.</source>
        <translation>データベースを初期化できませんでした。

データフォルダー: %1

ファイルのアクセス権を確認して、もう一度お試しください。</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>データベースエラー</translation>
    </message>
    <message>
        <source>The data directory is in use by another running instance.

Data directory: %1</source>
        <translation>データフォルダーは実行中の別のインスタンスが使用しています。

データフォルダー: %1</translation>
    </message>
    <message>
        <source>Read-Only Calendar</source>
        <translation>読み取り専用のカレンダー</translation>
    </message>
    <message>
        <source>The calendar file %1 is read-only. The calendar is shown, but changes can&apos;t be saved until the file can be written.</source>
        <translation>カレンダーファイル %1 は読み取り専用です。カレンダーは表示されますが、ファイルに書き込めるようになるまで変更は保存できません。</translation>
    </message>
    <message>
        <source>The command line is too long: at most %1 bytes can be handed to the calendar.
</source>
        <translation>コマンドラインが長すぎます。カレンダーに渡せるのは最大 %1 バイトです。
</translation>
    </message>
    <message>
        <source>The calendar is running but does not answer; the command was not handed to it.
</source>
        <translation>カレンダーは実行中ですが応答しません。コマンドは渡されませんでした。
</translation>
    </message>
</context>
<context>
    <name>CalDavCertificateDialog</name>
    <message>
        <source>Untrusted Certificate</source>
        <translation>信頼されていない証明書</translation>
    </message>
    <message>
        <source>The certificate of %1 is not trusted. Trust it only if the fingerprint matches the one your server administrator gave you.</source>
        <translation>%1 の証明書は信頼されていません。フィンガープリントがサーバー管理者から伝えられたものと一致する場合にのみ信頼してください。</translation>
    </message>
    <message>
        <source>Subject: %1
Issuer: %2
Valid: %3 to %4
SHA-256 fingerprint:
%5</source>
        <translation>サブジェクト: %1
発行者: %2
有効期間: %3 ～ %4
SHA-256 フィンガープリント:
%5</translation>
    </message>
    <message>
        <source>Trust Certificate</source>
        <translation>証明書を信頼</translation>
    </message>
</context>
<context>
    <name>CalDavClient</name>
    <message>
        <source>The server&apos;s reply was larger than %1 MB.</source>
        <translation>サーバーの応答が %1 MB を超えました。</translation>
    </message>
    <message>
        <source>The server&apos;s reply did not end within %1 s.</source>
        <translation>サーバーの応答が %1 秒以内に終わりませんでした。</translation>
    </message>
    <message>
        <source>The server did not answer within %1 s.</source>
        <translation>サーバーが %1 秒以内に応答しませんでした。</translation>
    </message>
</context>
<context>
    <name>CalDavConnectionDialog</name>
    <message>
        <source>Add CalDAV Account</source>
        <translation>CalDAV アカウントを追加</translation>
    </message>
    <message>
        <source>Connect any CalDAV server, such as Nextcloud, Synology, Radicale or iCloud (with an app-specific password).</source>
        <translation>Nextcloud、Synology、Radicale、iCloud（アプリ用パスワードを使用）など、任意の CalDAV サーバーに接続します。</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>サーバー:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>ユーザー名:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>パスワード:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, for example https://dav.example.com/.</source>
        <translation>サーバーのアドレスを入力してください（例: https://dav.example.com/）。</translation>
    </message>
    <message>
        <source>Enter your user name and password.</source>
        <translation>ユーザー名とパスワードを入力してください。</translation>
    </message>
    <message>
        <source>This account has already been added.</source>
        <translation>このアカウントは既に追加されています。</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>接続しています…</translation>
    </message>
    <message>
        <source>The account could not be saved.</source>
        <translation>アカウントを保存できませんでした。</translation>
    </message>
    <message>
        <source>The password could not be stored in the credential store.</source>
        <translation>パスワードを資格情報ストアに保存できませんでした。</translation>
    </message>
    <message>
        <source>The account&apos;s calendars could not be saved.</source>
        <translation>アカウントのカレンダーを保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>CalDavDiscovery</name>
    <message>
        <source>Enter a CalDAV URL starting with http:// or https://</source>
        <translation>http:// または https:// で始まる CalDAV URL を入力してください</translation>
    </message>
    <message>
        <source>Could not reach the server: %1</source>
        <translation>サーバーに接続できませんでした: %1</translation>
    </message>
    <message>
        <source>The server rejected the username or password.</source>
        <translation>サーバーがユーザー名またはパスワードを拒否しました。</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during principal discovery.</source>
        <translation>プリンシパルの検出中にサーバーが HTTP %1 を返しました。</translation>
    </message>
    <message>
        <source>Lost connection during calendar-home-set discovery: %1</source>
        <translation>calendar-home-set の検出中に接続が切れました: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during home-set discovery.</source>
        <translation>ホームセットの検出中にサーバーが HTTP %1 を返しました。</translation>
    </message>
    <message>
        <source>Lost connection during calendar enumeration: %1</source>
        <translation>カレンダーの一覧取得中に接続が切れました: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during calendar enumeration.</source>
        <translation>カレンダーの一覧取得中にサーバーが HTTP %1 を返しました。</translation>
    </message>
    <message>
        <source>No calendars found at the discovered home set.</source>
        <translation>検出されたホームセットにカレンダーが見つかりませんでした。</translation>
    </message>
</context>
<context>
    <name>CalDavImport</name>
    <message numerus="yes">
        <source>%n calendar(s) were not added: the server lists more than %1.</source>
        <translation>
            <numerusform>%n 個のカレンダーは追加されませんでした: サーバーが %1 個を超えるカレンダーを返しています。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CalDavSyncClient</name>
    <message>
        <source>Network error: %1</source>
        <translation>ネットワークエラー: %1</translation>
    </message>
    <message>
        <source>Push error: %1</source>
        <translation>送信エラー: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing &quot;%2&quot;</source>
        <translation>「%2」の送信中にサーバーが HTTP %1 を返しました</translation>
    </message>
    <message>
        <source>The events read from the server could not be stored.</source>
        <translation>サーバーから読み込んだ予定を保存できませんでした。</translation>
    </message>
    <message>
        <source>Network error during task pull: %1</source>
        <translation>タスクの取得中にネットワークエラーが発生しました: %1</translation>
    </message>
    <message>
        <source>Task push error: %1</source>
        <translation>タスクの送信エラー: %1</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 pushing task &quot;%2&quot;</source>
        <translation>タスク「%2」の送信中にサーバーが HTTP %1 を返しました</translation>
    </message>
    <message>
        <source>The tasks read from the server could not be stored.</source>
        <translation>サーバーから読み込んだタスクを保存できませんでした。</translation>
    </message>
    <message>
        <source>The server&apos;s listing was cut short or unreadable.</source>
        <translation>サーバーの一覧が途中で切れているか、読み取れません。</translation>
    </message>
    <message>
        <source>Server returned HTTP %1 during ctag check</source>
        <translation>ctag の確認中にサーバーが HTTP %1 を返しました</translation>
    </message>
    <message>
        <source>Server returned HTTP %1</source>
        <translation>サーバーが HTTP %1 を返しました</translation>
    </message>
    <message>
        <source>The calendar&apos;s sync state could not be stored.</source>
        <translation>カレンダーの同期状態を保存できませんでした。</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>応答なし</translation>
    </message>
    <message>
        <source>The result of sending &quot;%1&quot; could not be stored.</source>
        <translation>「%1」の送信結果を保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>CalendarFormDialog</name>
    <message>
        <source>Add Calendar</source>
        <translation>カレンダーを追加</translation>
    </message>
    <message>
        <source>Add Calendar to %1</source>
        <translation>%1 にカレンダーを追加</translation>
    </message>
    <message>
        <source>Edit Calendar</source>
        <translation>カレンダーを編集</translation>
    </message>
    <message>
        <source>Create a new calendar on the CalDAV server. The server must allow MKCALENDAR for your user; if it refuses, the calendar will not be created.</source>
        <translation>CalDAV サーバー上に新しいカレンダーを作成します。サーバーがあなたのユーザーに MKCALENDAR を許可している必要があります。拒否された場合、カレンダーは作成されません。</translation>
    </message>
    <message>
        <source>e.g. Personal, Work, Family</source>
        <translation>例: 個人、仕事、家族</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>名前(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>色(&amp;C):</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>作成</translation>
    </message>
    <message>
        <source>Pick a calendar color</source>
        <translation>カレンダーの色を選択</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>名前が必要です</translation>
    </message>
    <message>
        <source>Please enter a name for the calendar.</source>
        <translation>カレンダーの名前を入力してください。</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>データベースエラー</translation>
    </message>
    <message>
        <source>Could not save the calendar.</source>
        <translation>カレンダーを保存できませんでした。</translation>
    </message>
    <message>
        <source>Could not create the local account row.</source>
        <translation>ローカルアカウントの行を作成できませんでした。</translation>
    </message>
    <message>
        <source>Missing password</source>
        <translation>パスワードがありません</translation>
    </message>
    <message>
        <source>No saved password for this account. Enter it again under Calendar Accounts: select the account, then Edit…</source>
        <translation>このアカウントのパスワードが保存されていません。「カレンダーアカウント」でアカウントを選択し、「編集…」からもう一度入力してください。</translation>
    </message>
    <message>
        <source>Creating calendar on server…</source>
        <translation>サーバー上にカレンダーを作成しています…</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>ネットワークエラー: %1</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). Your account may not have permission to create calendars on this server.</source>
        <translation>サーバーが拒否しました（HTTP %1）。お使いのアカウントには、このサーバーでカレンダーを作成する権限がない可能性があります。</translation>
    </message>
    <message>
        <source>Server returned success but the new calendar isn&apos;t reachable. This server may not support MKCALENDAR.</source>
        <translation>サーバーは成功を返しましたが、新しいカレンダーにアクセスできません。このサーバーは MKCALENDAR に対応していない可能性があります。</translation>
    </message>
    <message>
        <source>Created on server, but couldn&apos;t save locally. Run sync to recover.</source>
        <translation>サーバー上に作成しましたが、ローカルに保存できませんでした。同期を実行して復旧してください。</translation>
    </message>
    <message>
        <source>Account missing</source>
        <translation>アカウントがありません</translation>
    </message>
    <message>
        <source>Could not find the parent account.</source>
        <translation>親アカウントが見つかりませんでした。</translation>
    </message>
    <message>
        <source>Saving changes to server…</source>
        <translation>変更をサーバーに保存しています…</translation>
    </message>
    <message>
        <source>Server refused (HTTP %1). You may not have permission to rename or recolour this calendar.</source>
        <translation>サーバーが拒否しました（HTTP %1）。このカレンダーの名前や色を変更する権限がない可能性があります。</translation>
    </message>
    <message>
        <source>Saved on server, but couldn&apos;t update locally.</source>
        <translation>サーバー上には保存しましたが、ローカルを更新できませんでした。</translation>
    </message>
    <message>
        <source>Calendar removed</source>
        <translation>カレンダーが削除されました</translation>
    </message>
    <message>
        <source>This calendar was removed meanwhile, so it cannot be saved.</source>
        <translation>このカレンダーはその間に削除されたため、保存できません。</translation>
    </message>
</context>
<context>
    <name>ChangedElsewhere</name>
    <message>
        <source>Title</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>開始日と期限</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>リマインダー</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>優先度</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>場所</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>カテゴリ</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>参加者</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Your change to %1 replaced a change made elsewhere while the form was open.</source>
        <translation>フォームを開いている間に他の場所で行われた%1の変更を、あなたの変更で置き換えました。</translation>
    </message>
    <message>
        <source>Your changes to %1 replaced changes made elsewhere while the form was open.</source>
        <translation>フォームを開いている間に他の場所で行われた%1の変更を、あなたの変更で置き換えました。</translation>
    </message>
    <message>
        <source>Changed elsewhere</source>
        <translation>他の場所で変更されました</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>条件</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>動作</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Sync interval</source>
        <translation>同期間隔</translation>
    </message>
    <message>
        <source>Certificate</source>
        <translation>証明書</translation>
    </message>
</context>
<context>
    <name>CommandPalette</name>
    <message>
        <source>Find an event or run a command — today, goto, view, new, resync…</source>
        <translation>予定を検索、またはコマンドを実行 — today、goto、view、new、resync…</translation>
    </message>
    <message>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message>
        <source>Snap the calendar to today</source>
        <translation>カレンダーを今日に移動</translation>
    </message>
    <message>
        <source>goto YYYY-MM-DD</source>
        <translation>goto YYYY-MM-DD</translation>
    </message>
    <message>
        <source>Jump to a specific date in Day view</source>
        <translation>日表示で特定の日付に移動</translation>
    </message>
    <message>
        <source>view &lt;mode|name&gt;</source>
        <translation>view &lt;モード|名前&gt;</translation>
    </message>
    <message>
        <source>Switch view mode (day/week/grid/month/year) or active calendar group</source>
        <translation>表示モード（日/週/グリッド/月/年）またはアクティブなカレンダーグループを切り替え</translation>
    </message>
    <message>
        <source>new &lt;event description&gt;</source>
        <translation>new &lt;予定の内容&gt;</translation>
    </message>
    <message>
        <source>Quick-add an event using the NL parser</source>
        <translation>自然文解析で予定をクイック追加</translation>
    </message>
    <message>
        <source>resync</source>
        <translation>resync</translation>
    </message>
    <message>
        <source>Pull + push every CalDAV calendar</source>
        <translation>すべての CalDAV カレンダーを取得・送信</translation>
    </message>
    <message>
        <source>notifytest</source>
        <translation>notifytest</translation>
    </message>
    <message>
        <source>Fire a test tray notification (verifies the pipeline)</source>
        <translation>トレイ通知をテスト表示（通知の経路を確認）</translation>
    </message>
    <message>
        <source>Switch to Day view</source>
        <translation>日表示に切り替え</translation>
    </message>
    <message>
        <source>Switch to Week view (locale-bracketed 7 days)</source>
        <translation>週表示に切り替え（ロケールに応じた 7 日間）</translation>
    </message>
    <message>
        <source>Switch to Days view (sliding window)</source>
        <translation>複数日表示に切り替え（スライド表示）</translation>
    </message>
    <message>
        <source>Switch to Grid view</source>
        <translation>グリッド表示に切り替え</translation>
    </message>
    <message>
        <source>Switch to Month view</source>
        <translation>月表示に切り替え</translation>
    </message>
    <message>
        <source>Switch to Year view</source>
        <translation>年表示に切り替え</translation>
    </message>
    <message>
        <source>Days view, 3-day sliding window</source>
        <translation>複数日表示、3 日間のスライド表示</translation>
    </message>
    <message>
        <source>Days view, 5-day sliding window</source>
        <translation>複数日表示、5 日間のスライド表示</translation>
    </message>
    <message>
        <source>Days view, 10-day medium-term horizon</source>
        <translation>複数日表示、10 日間の中期表示</translation>
    </message>
    <message>
        <source>Days view, 14-day fortnight horizon</source>
        <translation>複数日表示、14 日間（2 週間）表示</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
    <message>
        <source>all-day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>Event: %1   —   %2 · %3</source>
        <translation>予定: %1   —   %2 · %3</translation>
    </message>
</context>
<context>
    <name>DBusNotifier</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
</context>
<context>
    <name>DateTimePicker</name>
    <message>
        <source>%1 min</source>
        <translation>%1 分</translation>
    </message>
    <message>
        <source>%1 hr</source>
        <translation>%1 時間</translation>
    </message>
    <message>
        <source>%1 hr %2 min</source>
        <translation>%1 時間 %2 分</translation>
    </message>
</context>
<context>
    <name>DayView</name>
    <message>
        <source>Deleted &quot;%1&quot;</source>
        <translation>「%1」を削除しました</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>予定を削除しますか？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>「%1」を移動しました</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>「%1」の長さを変更しました</translation>
    </message>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>「%1」の変更を保存できませんでした。</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>フィルター「%1」を編集…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>予定からフィルターを作成…</translation>
    </message>
</context>
<context>
    <name>DetachedAgendaWindow</name>
    <message>
        <source>Agenda — Orvandellic Calendar</source>
        <translation>アジェンダ — Orvandellic Calendar</translation>
    </message>
</context>
<context>
    <name>DetachedTasksWindow</name>
    <message>
        <source>Tasks — Orvandellic Calendar</source>
        <translation>タスク — Orvandellic Calendar</translation>
    </message>
</context>
<context>
    <name>EventChange</name>
    <message>
        <source>Could not save the change to &quot;%1&quot;.</source>
        <translation>「%1」の変更を保存できませんでした。</translation>
    </message>
    <message>
        <source>Could not undo: &quot;%1&quot; no longer exists.</source>
        <translation>元に戻せません: 「%1」はもう存在しません。</translation>
    </message>
    <message>
        <source>Could not undo the change to &quot;%1&quot;.</source>
        <translation>「%1」の変更を元に戻せませんでした。</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>「%1」を削除できませんでした。</translation>
    </message>
    <message>
        <source>Could not restore &quot;%1&quot;.</source>
        <translation>「%1」を復元できませんでした。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>「%1」はその間に削除されたか別のカレンダーに移動されたため、何も変更されませんでした。</translation>
    </message>
</context>
<context>
    <name>EventDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>不明なカレンダー</translation>
    </message>
    <message>
        <source>Organizer: %1</source>
        <translation>主催者: %1</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>予定</translation>
    </message>
    <message>
        <source>%1 (copy)</source>
        <translation>%1（コピー）</translation>
    </message>
    <message>
        <source>Duplicate failed</source>
        <translation>複製に失敗しました</translation>
    </message>
    <message>
        <source>The copy of &quot;%1&quot; could not be saved.</source>
        <translation>「%1」のコピーを保存できませんでした。</translation>
    </message>
    <message>
        <source>Event change failed</source>
        <translation>予定の変更に失敗しました</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>予定を削除しますか？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
    </message>
</context>
<context>
    <name>EventFormDialog</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4.</source>
        <translation>「%1」の %2 の設定時刻は時計の切り替えで存在しないため、%3 に始まり %4 に終わります。</translation>
    </message>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was set to on %2, so it begins at %3 and ends at %4 that day, and repeats at %3.</source>
        <translation>「%1」の %2 の設定時刻は時計の切り替えで存在しないため、その日は %3 に始まり %4 に終わり、以後も %3 に繰り返します。</translation>
    </message>
    <message>
        <source>Invalid time</source>
        <translation>無効な時刻</translation>
    </message>
    <message>
        <source>The start or the end is not a time on this computer&apos;s clock.</source>
        <translation>開始または終了が、このコンピューターの時計にない時刻です。</translation>
    </message>
    <message>
        <source>Going</source>
        <translation>参加</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>辞退</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>未定</translation>
    </message>
    <message>
        <source>Delegated</source>
        <translation>委任</translation>
    </message>
    <message>
        <source>No response</source>
        <translation>未回答</translation>
    </message>
    <message>
        <source>+ Add attendee</source>
        <translation>+ 参加者を追加</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>name@example.com</source>
        <translation>name@example.com</translation>
    </message>
    <message>
        <source>Could not save the event: the calendar file is read-only.</source>
        <translation>予定を保存できませんでした: カレンダーファイルは読み取り専用です。</translation>
    </message>
    <message>
        <source>Could not save the event.</source>
        <translation>予定を保存できませんでした。</translation>
    </message>
    <message>
        <source>Edit Event</source>
        <translation>予定を編集</translation>
    </message>
    <message>
        <source>New Event</source>
        <translation>新しい予定</translation>
    </message>
    <message>
        <source>Edit event</source>
        <translation>予定を編集</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>新しい予定</translation>
    </message>
    <message>
        <source>From template…</source>
        <translation>テンプレートから…</translation>
    </message>
    <message>
        <source>Update the details below and save to apply.</source>
        <translation>以下の詳細を更新し、保存して適用してください。</translation>
    </message>
    <message>
        <source>Fill in the basics. Start time and calendar are required.</source>
        <translation>基本情報を入力してください。開始時刻とカレンダーは必須です。</translation>
    </message>
    <message>
        <source>Lunch with Maria, Sprint planning…</source>
        <translation>マリアとランチ、スプリント計画…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>タイトル(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>カレンダー(&amp;C)</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>カレンダーの色を使用</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>開始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Ends</source>
        <translation>終了(&amp;E)</translation>
    </message>
    <message>
        <source>All day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>&amp;Repeats</source>
        <translation>繰り返し(&amp;R)</translation>
    </message>
    <message>
        <source>Re&amp;minders</source>
        <translation>リマインダー(&amp;M)</translation>
    </message>
    <message>
        <source>Address, room, or video link</source>
        <translation>住所、会議室、またはビデオ会議のリンク</translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation>場所(&amp;L)</translation>
    </message>
    <message>
        <source>Notes, agenda, links…</source>
        <translation>メモ、議題、リンク…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>メモ(&amp;N)</translation>
    </message>
    <message>
        <source>Attendees</source>
        <translation>参加者</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>変更を保存</translation>
    </message>
    <message>
        <source>Create event</source>
        <translation>予定を作成</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>An import is writing to the calendar. This form saves as soon as it ends.</source>
        <translation>インポートがカレンダーに書き込み中です。終わりしだい、このフォームの内容が保存されます。</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>この予定は読み取り専用のカレンダーに属しています。表示はできますが、変更はできません。</translation>
    </message>
    <message>
        <source>Inheriting calendar color (%1). Click to override.</source>
        <translation>カレンダーの色を使用中（%1）。クリックして変更します。</translation>
    </message>
    <message>
        <source>Custom color (%1). Click to change.</source>
        <translation>カスタムの色（%1）。クリックして変更します。</translation>
    </message>
    <message>
        <source>Event color</source>
        <translation>予定の色</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>繰り返さない</translation>
    </message>
    <message>
        <source>No templates</source>
        <translation>テンプレートがありません</translation>
    </message>
    <message>
        <source>You haven&apos;t created any event templates yet. Open Tools → Manage Templates to create one.</source>
        <translation>予定のテンプレートがまだ作成されていません。「ツール」→「テンプレートの管理」を開いて作成してください。</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>タイトルが必要です</translation>
    </message>
    <message>
        <source>Please enter a title for the event.</source>
        <translation>予定のタイトルを入力してください。</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>カレンダーがありません</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>先にカレンダーを作成してください。</translation>
    </message>
    <message>
        <source>End before start</source>
        <translation>終了が開始より前です</translation>
    </message>
    <message>
        <source>The end time is earlier than the start time.</source>
        <translation>終了時刻が開始時刻より前になっています。</translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>読み取り専用のカレンダー</translation>
    </message>
    <message>
        <source>This event belongs to a read-only calendar and cannot be changed.</source>
        <translation>この予定は読み取り専用のカレンダーに属しているため、変更できません。</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>データベースエラー</translation>
    </message>
    <message>
        <source>The repeat rule belongs to the series.</source>
        <translation>繰り返しルールはシリーズ全体に属します。</translation>
    </message>
    <message>
        <source>Changed &quot;%1&quot;</source>
        <translation>「%1」を変更しました</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>予定の時刻</translation>
    </message>
    <message>
        <source>5 minutes before</source>
        <translation>5 分前</translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation>10 分前</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 分前</translation>
    </message>
    <message>
        <source>30 minutes before</source>
        <translation>30 分前</translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 時間前</translation>
    </message>
    <message>
        <source>2 hours before</source>
        <translation>2 時間前</translation>
    </message>
    <message>
        <source>1 day before</source>
        <translation>1 日前</translation>
    </message>
    <message>
        <source>2 days before</source>
        <translation>2 日前</translation>
    </message>
    <message>
        <source>1 week before</source>
        <translation>1 週間前</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n 分前</numerusform>
        </translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ リマインダーを追加</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n 日前</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n 時間前</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FilterFormDialog</name>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
    <message>
        <source>Edit Filter</source>
        <translation>フィルターを編集</translation>
    </message>
    <message>
        <source>Add Filter</source>
        <translation>フィルターを追加</translation>
    </message>
    <message>
        <source>Edit filter</source>
        <translation>フィルターを編集</translation>
    </message>
    <message>
        <source>New filter</source>
        <translation>新しいフィルター</translation>
    </message>
    <message>
        <source>Filters hide or dim events that match — they don&apos;t delete anything, and you can toggle the whole set off from the filters pill in the status bar.</source>
        <translation>フィルターは一致した予定を非表示または淡色表示にします。何も削除されません。ステータスバーのフィルターボタンから、すべてのフィルターをまとめてオフにできます。</translation>
    </message>
    <message>
        <source>Hide standups, Dim birthdays…</source>
        <translation>朝会を非表示、誕生日を淡色表示…</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>名前(&amp;N)</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Hide completely</source>
        <translation>完全に非表示</translation>
    </message>
    <message>
        <source>Dim (still visible, faded)</source>
        <translation>淡色表示（表示は残し、薄くする）</translation>
    </message>
    <message>
        <source>&amp;Action</source>
        <translation>動作(&amp;A)</translation>
    </message>
    <message>
        <source>Suppress reminders for matched events</source>
        <translation>一致した予定のリマインダーを止める</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Apply to calendars</source>
        <translation>適用するカレンダー</translation>
    </message>
    <message>
        <source>Leave empty to apply to every calendar.</source>
        <translation>空欄にするとすべてのカレンダーに適用されます。</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>変更を保存</translation>
    </message>
    <message>
        <source>Create filter</source>
        <translation>フィルターを作成</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Title contains</source>
        <translation>タイトルに含む</translation>
    </message>
    <message>
        <source>e.g. standup, lunch, 1:1 — comma separated</source>
        <translation>例: 朝会, ランチ, 1on1 — カンマ区切り</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Exact start time</source>
        <translation>正確な開始時刻</translation>
    </message>
    <message>
        <source>Time range</source>
        <translation>時間帯</translation>
    </message>
    <message>
        <source>to</source>
        <translation>～</translation>
    </message>
    <message>
        <source>Days of week (empty = every day)</source>
        <translation>曜日（空欄 = 毎日）</translation>
    </message>
    <message>
        <source>Recurring events only</source>
        <translation>繰り返しの予定のみ</translation>
    </message>
    <message>
        <source>Filtering this specific event:</source>
        <translation>この予定をフィルター:</translation>
    </message>
    <message>
        <source>(Right-click an event and choose &quot;Create Filter from Event&quot; to create a specific-event filter.)</source>
        <translation>（特定の予定のフィルターを作成するには、予定を右クリックして「予定からフィルターを作成」を選びます。）</translation>
    </message>
    <message>
        <source>Matches every all-day event in the selected calendars.</source>
        <translation>選択したカレンダーのすべての終日の予定に一致します。</translation>
    </message>
    <message>
        <source>Only recurring all-day events</source>
        <translation>繰り返しの終日の予定のみ</translation>
    </message>
    <message>
        <source>(Event no longer exists)</source>
        <translation>（予定はもう存在しません）</translation>
    </message>
    <message>
        <source>(Untitled event)</source>
        <translation>（無題の予定）</translation>
    </message>
    <message>
        <source>No events in the next 30 days to preview against.</source>
        <translation>プレビューの対象となる予定が今後 30 日間にありません。</translation>
    </message>
    <message numerus="yes">
        <source>Would hide %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>今後 30 日間の予定 %n 件のうち %1 件が非表示になります。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Would dim %1 of %n event(s) in the next 30 days.</source>
        <translation>
            <numerusform>今後 30 日間の予定 %n 件のうち %1 件が淡色表示になります。</numerusform>
        </translation>
    </message>
    <message>
        <source>e.g. %1</source>
        <translation>例: %1</translation>
    </message>
    <message>
        <source>Name required</source>
        <translation>名前が必要です</translation>
    </message>
    <message>
        <source>Please enter a name for the filter.</source>
        <translation>フィルターの名前を入力してください。</translation>
    </message>
    <message>
        <source>No patterns</source>
        <translation>パターンなし</translation>
    </message>
    <message>
        <source>Add at least one phrase to &quot;Title contains&quot;.</source>
        <translation>「タイトルに含む」にフレーズを 1 つ以上追加してください。</translation>
    </message>
    <message>
        <source>No event selected</source>
        <translation>予定が選択されていません</translation>
    </message>
    <message>
        <source>Specific-event filters need to be created from an event&apos;s right-click menu — that&apos;s how the rule learns which event to match.</source>
        <translation>特定の予定のフィルターは、予定の右クリックメニューから作成する必要があります。そうすることで、どの予定に一致させるかをルールが認識します。</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>データベースエラー</translation>
    </message>
    <message>
        <source>Could not save the filter.</source>
        <translation>フィルターを保存できませんでした。</translation>
    </message>
    <message>
        <source>Filter removed</source>
        <translation>フィルターが削除されました</translation>
    </message>
    <message>
        <source>This filter was removed meanwhile, so it cannot be saved.</source>
        <translation>このフィルターはその間に削除されたため、保存できません。</translation>
    </message>
</context>
<context>
    <name>Google::AuthService</name>
    <message>
        <source>Google OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>このビルドには Google OAuth の認証情報が設定されていません。.env.example を参照してください。</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Google sign-in callback: %1</source>
        <translation>Google サインインのコールバック用にローカルポートを確保できませんでした: %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Google sign-in.</source>
        <translation>Google サインイン用のシステムブラウザーを起動できませんでした。</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>サインインがキャンセルされました。</translation>
    </message>
    <message>
        <source>Google denied the sign-in: %1</source>
        <translation>Google がサインインを拒否しました: %1</translation>
    </message>
    <message>
        <source>Google did not return an authorization code.</source>
        <translation>Google から認証コードが返されませんでした。</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>トークンの交換に失敗しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>Google did not return an access token.</source>
        <translation>Google からアクセストークンが返されませんでした。</translation>
    </message>
    <message>
        <source>Google did not return a refresh token. Try removing the app from your Google Account permissions and signing in again.</source>
        <translation>Google からリフレッシュトークンが返されませんでした。Google アカウントのアクセス許可からこのアプリを削除して、もう一度サインインしてください。</translation>
    </message>
    <message>
        <source>Google&apos;s token service did not answer in time.</source>
        <translation>Google のトークンサービスが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>Google OAuth credentials are not configured.</source>
        <translation>Google OAuth の認証情報が設定されていません。</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>トークンの更新に失敗しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>Google&apos;s response had no access_token.</source>
        <translation>Google の応答に access_token がありませんでした。</translation>
    </message>
</context>
<context>
    <name>Google::CalendarClient</name>
    <message>
        <source>the reply was larger than %1 MB</source>
        <translation>応答が %1 MB を超えました</translation>
    </message>
    <message>
        <source>the reply did not end within %1 s</source>
        <translation>応答が %1 秒以内に終わりませんでした</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>%1 秒以内に応答がありません</translation>
    </message>
    <message>
        <source>Google could not be reached: %1</source>
        <translation>Google に接続できませんでした: %1</translation>
    </message>
    <message>
        <source>No Google access token available.</source>
        <translation>利用できる Google アクセストークンがありません。</translation>
    </message>
    <message>
        <source>Google rejected calendarList.list (HTTP %1): %2</source>
        <translation>Google が calendarList.list を拒否しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>Google sent a calendar list that is not JSON.</source>
        <translation>Google から送られたカレンダー一覧が JSON ではありません。</translation>
    </message>
    <message>
        <source>Google&apos;s calendar list does not end.</source>
        <translation>Google のカレンダー一覧が終わりません。</translation>
    </message>
    <message>
        <source>Google rejected events.list (HTTP %1): %2</source>
        <translation>Google が events.list を拒否しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>Google sent an event listing that is not JSON; nothing of it was stored.</source>
        <translation>Google から送られた予定一覧が JSON ではありません。何も保存されていません。</translation>
    </message>
    <message>
        <source>Google named the same page of the event listing twice; nothing of it was stored.</source>
        <translation>Google が予定一覧の同じページを 2 回指定しました。何も保存されていません。</translation>
    </message>
    <message numerus="yes">
        <source>Google&apos;s event listing went on past %n page(s); nothing of it was stored.</source>
        <translation>
            <numerusform>Google の予定一覧が %n ページを超えました。何も保存されていません。</numerusform>
        </translation>
    </message>
    <message>
        <source>No Google access token.</source>
        <translation>Google アクセストークンがありません。</translation>
    </message>
    <message>
        <source>Google rejected events.%1 (HTTP %2): %3</source>
        <translation>Google が events.%1 を拒否しました（HTTP %2）: %3</translation>
    </message>
    <message>
        <source>Google answered events.%1 with a reply that is not an event.</source>
        <translation>Google が events.%1 に対して予定ではない応答を返しました。</translation>
    </message>
    <message>
        <source>Google rejected events.delete (HTTP %1): %2</source>
        <translation>Google が events.delete を拒否しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>The Google calendars could not be stored.</source>
        <translation>Google カレンダーを保存できませんでした。</translation>
    </message>
    <message numerus="yes">
        <source>%n more calendar(s) were not added: Google lists more than %1.</source>
        <translation>
            <numerusform>ほかの %n 個のカレンダーは追加されませんでした: Google が %1 個を超えるカレンダーを返しています。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Google::SyncClient</name>
    <message>
        <source>Parent account missing</source>
        <translation>親アカウントがありません</translation>
    </message>
    <message>
        <source>No saved Google credentials. Sign in again.</source>
        <translation>Google の認証情報が保存されていません。もう一度サインインしてください。</translation>
    </message>
    <message>
        <source>Google token refresh failed: %1</source>
        <translation>Google トークンの更新に失敗しました: %1</translation>
    </message>
    <message>
        <source>Google no longer accepts the saved sign-in. Sign in again.</source>
        <translation>Google は保存されたサインインを受け付けなくなりました。もう一度サインインしてください。</translation>
    </message>
    <message>
        <source>Google refused the calendar&apos;s sync token again.</source>
        <translation>Google がカレンダーの同期トークンを再び拒否しました。</translation>
    </message>
    <message>
        <source>The Google events could not be stored.</source>
        <translation>Google の予定を保存できませんでした。</translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) failed to save locally; will retry next sync.</source>
        <translation>
            <numerusform>%n 件の予定をローカルに保存できませんでした。次回の同期で再試行します。</numerusform>
        </translation>
    </message>
    <message>
        <source>The Google event&apos;s new state could not be stored.</source>
        <translation>Google の予定の新しい状態を保存できませんでした。</translation>
    </message>
    <message>
        <source>Google&apos;s copy of &quot;%1&quot; could not be read: %2</source>
        <translation>「%1」の Google 側のコピーを読み取れませんでした: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written to Google: %2</source>
        <translation>「%1」を Google に書き込めませんでした: %2</translation>
    </message>
</context>
<context>
    <name>IcsImportFlow</name>
    <message numerus="yes">
        <source>%n already present</source>
        <translation>
            <numerusform>%n 件は既に存在</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n repeated in the file</source>
        <translation>
            <numerusform>%n 件はファイル内で重複</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without UID or unreadable</source>
        <translation>
            <numerusform>%n 件は UID がないか読み取り不可</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without start time</source>
        <translation>
            <numerusform>%n 件は開始時刻なし</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n 件のタスク</numerusform>
        </translation>
    </message>
    <message>
        <source>Read-only calendar</source>
        <translation>読み取り専用のカレンダー</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not imported.</source>
        <translation>カレンダーファイルは読み取り専用です。「%1」はインポートされませんでした。</translation>
    </message>
    <message>
        <source>No calendars configured</source>
        <translation>カレンダーが設定されていません</translation>
    </message>
    <message>
        <source>Add a calendar first; then re-import &quot;%1&quot;.</source>
        <translation>先にカレンダーを追加してから、「%1」をもう一度インポートしてください。</translation>
    </message>
    <message>
        <source>No writable calendar</source>
        <translation>書き込み可能なカレンダーがありません</translation>
    </message>
    <message>
        <source>Every calendar is read-only. Add a calendar you can edit; then re-import &quot;%1&quot;.</source>
        <translation>すべてのカレンダーが読み取り専用です。編集できるカレンダーを追加してから、「%1」をもう一度インポートしてください。</translation>
    </message>
    <message>
        <source>Reading &quot;%1&quot;…</source>
        <translation>「%1」を読み込んでいます…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled.</source>
        <translation>%1 のインポートはキャンセルされました。</translation>
    </message>
    <message>
        <source>Couldn&apos;t open file</source>
        <translation>ファイルを開けませんでした</translation>
    </message>
    <message>
        <source>No events found in &quot;%1&quot;.</source>
        <translation>「%1」に予定が見つかりませんでした。</translation>
    </message>
    <message>
        <source>Skipped: %1.</source>
        <translation>スキップ: %1。</translation>
    </message>
    <message>
        <source>Nothing to import</source>
        <translation>インポートするものがありません</translation>
    </message>
    <message>
        <source>Imported 0 events into %1; skipped %2.</source>
        <translation>%1 にインポートした予定は 0 件です。スキップ: %2。</translation>
    </message>
    <message>
        <source>Import events?</source>
        <translation>予定をインポートしますか？</translation>
    </message>
    <message numerus="yes">
        <source>Import %n event(s) from &quot;%1&quot; into &quot;%2&quot;?</source>
        <translation>
            <numerusform>「%1」から %n 件の予定を「%2」にインポートしますか？</numerusform>
        </translation>
    </message>
    <message>
        <source>Waiting for the sync to end before importing &quot;%1&quot;…</source>
        <translation>同期が終わるのを待ってから「%1」をインポートします…</translation>
    </message>
    <message>
        <source>Importing &quot;%1&quot;…</source>
        <translation>「%1」をインポートしています…</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was stored.</source>
        <translation>%1 のインポートはキャンセルされました。何も保存されていません。</translation>
    </message>
    <message>
        <source>The events of %1 could not be imported.</source>
        <translation>%1 の予定をインポートできませんでした。</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1.</source>
        <translation>
            <numerusform>%n 件の予定を %1 にインポートしました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n event(s) into %1; skipped %2.</source>
        <translation>
            <numerusform>%n 件の予定を %1 にインポートしました。スキップ: %2。</numerusform>
        </translation>
    </message>
    <message>
        <source>Import</source>
        <translation>インポート</translation>
    </message>
</context>
<context>
    <name>IcsImportJob</name>
    <message>
        <source>Couldn&apos;t open &quot;%1&quot; for reading.</source>
        <translation>「%1」を読み込み用に開けませんでした。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be imported: only regular files are read.</source>
        <translation>「%1」はインポートできるファイルではありません。通常のファイルのみ読み込めます。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too large to import (more than %2 MB).</source>
        <translation>「%1」は大きすぎるためインポートできません（%2 MB 超）。</translation>
    </message>
    <message>
        <source>The calendar store could not be read.</source>
        <translation>カレンダーストアを読み込めませんでした。</translation>
    </message>
    <message>
        <source>The calendar store could not be written.</source>
        <translation>カレンダーストアに書き込めませんでした。</translation>
    </message>
    <message>
        <source>The events could not be stored.</source>
        <translation>予定を保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>InvitationsDialog</name>
    <message>
        <source>Accepted</source>
        <translation>承諾済み</translation>
    </message>
    <message>
        <source>Declined</source>
        <translation>辞退</translation>
    </message>
    <message>
        <source>Maybe</source>
        <translation>未定</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>未回答</translation>
    </message>
    <message>
        <source>Invitations</source>
        <translation>招待</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>予定</translation>
    </message>
    <message>
        <source>When</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Organizer</source>
        <translation>主催者</translation>
    </message>
    <message>
        <source>Your answer</source>
        <translation>あなたの回答</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>承諾</translation>
    </message>
    <message>
        <source>Decline</source>
        <translation>辞退</translation>
    </message>
    <message>
        <source>No invitations.</source>
        <translation>招待はありません。</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>（タイトルなし）</translation>
    </message>
    <message>
        <source>No invitations await your answer.</source>
        <translation>回答待ちの招待はありません。</translation>
    </message>
    <message>
        <source>1 invitation awaits your answer.</source>
        <translation>1 件の招待が回答を待っています。</translation>
    </message>
    <message>
        <source>%1 invitations await your answer.</source>
        <translation>%1 件の招待が回答を待っています。</translation>
    </message>
    <message>
        <source>Your answer could not be saved.</source>
        <translation>回答を保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>KeyboardHelpDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>キーボードショートカット</translation>
    </message>
    <message>
        <source>New event</source>
        <translation>新しい予定</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>新しいタスク</translation>
    </message>
    <message>
        <source>Quick add</source>
        <translation>クイック追加</translation>
    </message>
    <message>
        <source>Find events</source>
        <translation>予定を検索</translation>
    </message>
    <message>
        <source>Command palette</source>
        <translation>コマンドパレット</translation>
    </message>
    <message>
        <source>Sync now</source>
        <translation>今すぐ同期</translation>
    </message>
    <message>
        <source>Force full sync</source>
        <translation>強制的に完全同期</translation>
    </message>
    <message>
        <source>Go to today</source>
        <translation>今日に移動</translation>
    </message>
    <message>
        <source>Next period</source>
        <translation>次の期間</translation>
    </message>
    <message>
        <source>Previous period</source>
        <translation>前の期間</translation>
    </message>
    <message>
        <source>One week later</source>
        <translation>1 週間後</translation>
    </message>
    <message>
        <source>One week earlier</source>
        <translation>1 週間前</translation>
    </message>
    <message>
        <source>One month later</source>
        <translation>1 か月後</translation>
    </message>
    <message>
        <source>One month earlier</source>
        <translation>1 か月前</translation>
    </message>
    <message>
        <source>Day view</source>
        <translation>日表示</translation>
    </message>
    <message>
        <source>Days view</source>
        <translation>複数日表示</translation>
    </message>
    <message>
        <source>Week view</source>
        <translation>週表示</translation>
    </message>
    <message>
        <source>Grid view</source>
        <translation>グリッド表示</translation>
    </message>
    <message>
        <source>Month view</source>
        <translation>月表示</translation>
    </message>
    <message>
        <source>Year view</source>
        <translation>年表示</translation>
    </message>
    <message>
        <source>Days view span: 3, 5, 7, 10 or 14 days (Ctrl+Shift+1 to Ctrl+Shift+5)</source>
        <translation>複数日表示の日数: 3、5、7、10、14 日（Ctrl+Shift+1 ～ Ctrl+Shift+5）</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>進む</translation>
    </message>
    <message>
        <source>Calendar group 1 (Ctrl+1 to Ctrl+9)</source>
        <translation>カレンダーグループ 1（Ctrl+1 ～ Ctrl+9）</translation>
    </message>
    <message>
        <source>Next calendar group</source>
        <translation>次のカレンダーグループ</translation>
    </message>
    <message>
        <source>Previous calendar group</source>
        <translation>前のカレンダーグループ</translation>
    </message>
    <message>
        <source>Show empty days in the agenda</source>
        <translation>アジェンダに予定のない日を表示</translation>
    </message>
    <message>
        <source>Compact density</source>
        <translation>コンパクト表示</translation>
    </message>
    <message>
        <source>Show or hide the tasks pane</source>
        <translation>タスクペインの表示/非表示</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>キーボードショートカット</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>ショートカット</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>操作</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Event</source>
        <translation>予定</translation>
    </message>
    <message numerus="yes">
        <source>Loaded %n sample row(s).</source>
        <translation>
            <numerusform>%n 行のサンプルデータを読み込みました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removed %n sample row(s).</source>
        <translation>
            <numerusform>%n 行のサンプルデータを削除しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>Your change is saved once the import ends.</source>
        <translation>変更はインポートが終わりしだい保存されます。</translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation>追加しました: %1</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t save: &quot;%1&quot;</source>
        <translation>クイック追加で保存できませんでした: 「%1」</translation>
    </message>
    <message>
        <source>Signed in to Orvandellic</source>
        <translation>Orvandellic にサインインしました</translation>
    </message>
    <message>
        <source>Signed out of Orvandellic</source>
        <translation>Orvandellic からサインアウトしました</translation>
    </message>
    <message>
        <source>Undid: %1</source>
        <translation>元に戻しました: %1</translation>
    </message>
    <message>
        <source>No accounts configured</source>
        <translation>アカウントが設定されていません</translation>
    </message>
    <message>
        <source>Add a Orvandellic Calendar account to store calendars on this device, connect Google or Microsoft, or hook up any CalDAV server (Synology, Nextcloud, Radicale, iCloud).</source>
        <translation>Orvandellic Calendar アカウントを追加してこのデバイスにカレンダーを保存するか、Google や Microsoft に接続するか、任意の CalDAV サーバー（Synology、Nextcloud、Radicale、iCloud）に接続してください。</translation>
    </message>
    <message>
        <source>  Add Account…</source>
        <translation>  アカウントを追加…</translation>
    </message>
    <message>
        <source>Orvandellic Account</source>
        <translation>Orvandellic アカウント</translation>
    </message>
    <message>
        <source>Test notification shown</source>
        <translation>テスト通知を表示しました</translation>
    </message>
    <message>
        <source>Test notification not shown: no notification service or tray icon is available</source>
        <translation>テスト通知は表示されませんでした: 通知サービスもトレイアイコンも利用できません</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendars configured.</source>
        <translation>クイック追加を無視しました: カレンダーが設定されていません。</translation>
    </message>
    <message>
        <source>The calendar file is read-only; &quot;%1&quot; was not added.</source>
        <translation>カレンダーファイルは読み取り専用です。「%1」は追加されませんでした。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is added once the import ends.</source>
        <translation>「%1」はインポートが終わりしだい追加されます。</translation>
    </message>
    <message>
        <source>Quick-add ignored: no calendar accepts new events (they are read-only or hold only tasks).</source>
        <translation>クイック追加を無視しました: 新しい予定を受け付けるカレンダーがありません（読み取り専用か、タスク専用です）。</translation>
    </message>
    <message>
        <source>Quick-add couldn&apos;t parse: &quot;%1&quot;</source>
        <translation>クイック追加で解析できませんでした: 「%1」</translation>
    </message>
    <message>
        <source>Import ICS file</source>
        <translation>ICS ファイルをインポート</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics);;All files (*)</source>
        <translation>iCalendar ファイル (*.ics);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Calendar is still running in the system tray. Use File → Quit to exit, or turn off Preferences → Startup → Close to tray.</source>
        <translation>カレンダーはシステムトレイで実行中です。終了するには「ファイル」→「終了」を使うか、「環境設定」→「起動」→「閉じるとトレイに格納」をオフにしてください。</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New Event…</source>
        <translation>新しい予定(&amp;N)…</translation>
    </message>
    <message>
        <source>New &amp;Task…</source>
        <translation>新しいタスク(&amp;T)…</translation>
    </message>
    <message>
        <source>Quick &amp;Add…</source>
        <translation>クイック追加(&amp;A)…</translation>
    </message>
    <message>
        <source>Type an event in plain English (&quot;lunch Thursday 1pm&quot;)</source>
        <translation>予定を英語の文で入力します（&quot;lunch Thursday 1pm&quot;）</translation>
    </message>
    <message>
        <source>Calendar &amp;Accounts…</source>
        <translation>カレンダーアカウント(&amp;A)…</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>今すぐ同期(&amp;S)</translation>
    </message>
    <message>
        <source>Force F&amp;ull Sync…</source>
        <translation>強制的に完全同期(&amp;U)…</translation>
    </message>
    <message>
        <source>Re-pull every event from every account, ignoring sync tokens</source>
        <translation>同期トークンを無視して、すべてのアカウントからすべての予定を再取得します</translation>
    </message>
    <message>
        <source>&amp;Invitations…</source>
        <translation>招待(&amp;I)…</translation>
    </message>
    <message>
        <source>&amp;Import ICS File…</source>
        <translation>ICS ファイルをインポート(&amp;I)…</translation>
    </message>
    <message>
        <source>&amp;Export Agenda PDF…</source>
        <translation>アジェンダを PDF にエクスポート(&amp;E)…</translation>
    </message>
    <message>
        <source>Orvandellic &amp;Account…</source>
        <translation>Orvandellic アカウント(&amp;A)…</translation>
    </message>
    <message>
        <source>Sign in or sign up</source>
        <translation>サインインまたは新規登録</translation>
    </message>
    <message>
        <source>Sign &amp;Out</source>
        <translation>サインアウト(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>環境設定(&amp;P)…</translation>
    </message>
    <message>
        <source>&amp;Find Events…</source>
        <translation>予定を検索(&amp;F)…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Toggle &amp;Sidebar</source>
        <translation>サイドバーの表示/非表示(&amp;S)</translation>
    </message>
    <message>
        <source>Show &amp;Empty Days in Agenda</source>
        <translation>アジェンダに予定のない日を表示(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Compact Density</source>
        <translation>コンパクト表示(&amp;C)</translation>
    </message>
    <message>
        <source>Toggle &amp;Tasks Pane</source>
        <translation>タスクペインの表示/非表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>ウィンドウ(&amp;W)</translation>
    </message>
    <message>
        <source>Detached &amp;Agenda Window</source>
        <translation>アジェンダを別ウィンドウで表示(&amp;A)</translation>
    </message>
    <message>
        <source>Detached &amp;Tasks Window</source>
        <translation>タスクを別ウィンドウで表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>Add &amp;Filter…</source>
        <translation>フィルターを追加(&amp;F)…</translation>
    </message>
    <message>
        <source>Add Calendar &amp;Group…</source>
        <translation>カレンダーグループを追加(&amp;G)…</translation>
    </message>
    <message>
        <source>Manage Calendar Gr&amp;oups…</source>
        <translation>カレンダーグループの管理(&amp;O)…</translation>
    </message>
    <message>
        <source>Manage Te&amp;mplates…</source>
        <translation>テンプレートの管理(&amp;M)…</translation>
    </message>
    <message>
        <source>&amp;Weather…</source>
        <translation>天気(&amp;W)…</translation>
    </message>
    <message>
        <source>&amp;Developer</source>
        <translation>開発者(&amp;D)</translation>
    </message>
    <message>
        <source>Load Sample &amp;Data</source>
        <translation>サンプルデータを読み込む(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Clear Sample Data</source>
        <translation>サンプルデータを消去(&amp;C)</translation>
    </message>
    <message>
        <source>Send Test &amp;Notification</source>
        <translation>テスト通知を送信(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>キーボードショートカット(&amp;K)</translation>
    </message>
    <message>
        <source>Fire a sample reminder toast to verify your desktop notification setup.</source>
        <translation>サンプルのリマインダー通知を表示して、デスクトップ通知の設定を確認します。</translation>
    </message>
    <message>
        <source>&amp;What&apos;s New</source>
        <translation>新機能(&amp;W)</translation>
    </message>
    <message>
        <source>Send &amp;Feedback…</source>
        <translation>フィードバックを送信(&amp;F)…</translation>
    </message>
    <message>
        <source>Check for &amp;Updates…</source>
        <translation>アップデートを確認(&amp;U)…</translation>
    </message>
    <message>
        <source>&amp;About Orvandellic Calendar</source>
        <translation>Orvandellic Calendar について(&amp;A)</translation>
    </message>
    <message>
        <source>Manage your account</source>
        <translation>アカウントを管理</translation>
    </message>
    <message>
        <source>&amp;Invitations… (%1)</source>
        <translation>招待(&amp;I)…（%1）</translation>
    </message>
    <message>
        <source>About Orvandellic Calendar</source>
        <translation>Orvandellic Calendar について</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;Version %1&lt;/p&gt;&lt;p&gt;A CalDAV-first calendar with client-side filters and Views, the killer feature competitors don&apos;t have.&lt;/p&gt;&lt;p&gt;Made for people who keep several calendars in one place. Built with Qt %2.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Orvandellic Calendar&lt;/h3&gt;&lt;p&gt;バージョン %1&lt;/p&gt;&lt;p&gt;クライアント側のフィルターとカレンダーグループを備えた、CalDAV を中心としたカレンダーです。他にはない決め手の機能です。&lt;/p&gt;&lt;p&gt;複数のカレンダーを 1 か所で管理する人のために作られました。Qt %2 で構築されています。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Clear sample data?</source>
        <translation>サンプルデータを消去しますか？</translation>
    </message>
    <message>
        <source>Remove the sample calendars, events, and tasks? Your real data is untouched.</source>
        <translation>サンプルのカレンダー、予定、タスクを削除しますか？実際のデータには影響しません。</translation>
    </message>
    <message>
        <source>Manage filters</source>
        <translation>フィルターの管理</translation>
    </message>
    <message>
        <source>Password missing</source>
        <translation>パスワードがありません</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need sign-in</source>
        <translation>
            <numerusform>%n 件のアカウントにサインインが必要です</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and sign in.</source>
        <translation>クリックして「カレンダーアカウント」を開き、サインインします。</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need password</source>
        <translation>
            <numerusform>%n 件のアカウントにパスワードが必要です</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and re-enter the password.</source>
        <translation>クリックして「カレンダーアカウント」を開き、パスワードを再入力します。</translation>
    </message>
    <message numerus="yes">
        <source>%n account(s) need attention</source>
        <translation>
            <numerusform>%n 件のアカウントに対応が必要です</numerusform>
        </translation>
    </message>
    <message>
        <source>Click to open Calendar Accounts and resolve the issues.</source>
        <translation>クリックして「カレンダーアカウント」を開き、問題を解決します。</translation>
    </message>
    <message>
        <source>Disable all filters</source>
        <translation>すべてのフィルターを無効にする</translation>
    </message>
    <message>
        <source>Enable all filters</source>
        <translation>すべてのフィルターを有効にする</translation>
    </message>
    <message>
        <source>Add Filter…</source>
        <translation>フィルターを追加…</translation>
    </message>
    <message>
        <source>Manage Filters…</source>
        <translation>フィルターの管理…</translation>
    </message>
    <message>
        <source>No filters</source>
        <translation>フィルターなし</translation>
    </message>
    <message numerus="yes">
        <source>%n filter(s) applied</source>
        <translation>
            <numerusform>%n 件のフィルターを適用中</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hidden</source>
        <translation>
            <numerusform>%n 件を非表示</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Synced %n event(s)</source>
        <translation>
            <numerusform>%n 件の予定を同期しました</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s) without start left out</source>
        <translation>
            <numerusform>開始のない予定 %n 件を除外しました</numerusform>
        </translation>
    </message>
    <message>
        <source>This account&apos;s calendars do not sync in this version.</source>
        <translation>このアカウントのカレンダーは、このバージョンでは同期されません。</translation>
    </message>
    <message>
        <source>All caught up, nothing waiting to sync.</source>
        <translation>すべて最新です。同期待ちの項目はありません。</translation>
    </message>
    <message numerus="yes">
        <source>Discovered %n new calendar(s).</source>
        <translation>
            <numerusform>新しいカレンダーが %n 件見つかりました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Syncing %n account(s)…</source>
        <translation>
            <numerusform>%n 件のアカウントを同期しています…</numerusform>
        </translation>
    </message>
    <message>
        <source>No sync accounts configured. Add one in Calendar Accounts.</source>
        <translation>同期するアカウントが設定されていません。カレンダーアカウントで追加してください。</translation>
    </message>
    <message>
        <source>Re-fetch every event and task from every account, ignoring saved sync tokens. Useful when items look stale or out of date.

Any unsynced local edits will be discarded in favour of the server&apos;s copy. Pending deletions are preserved.

Heavy accounts may take a minute or two and use more bandwidth than usual.</source>
        <translation>保存された同期トークンを無視して、すべてのアカウントからすべての予定とタスクを再取得します。項目が古く見えるときに役立ちます。

同期されていないローカルの編集は破棄され、サーバーのコピーが優先されます。保留中の削除は保持されます。

データの多いアカウントでは 1～2 分かかり、通常より多くの通信量を使うことがあります。</translation>
    </message>
    <message>
        <source>Force full sync?</source>
        <translation>強制的に完全同期しますか？</translation>
    </message>
    <message>
        <source>The full sync starts once the import ends.</source>
        <translation>完全同期はインポートの終了後に始まります。</translation>
    </message>
    <message numerus="yes">
        <source>Cleared %n calendar sync token(s), running full sync…</source>
        <translation>
            <numerusform>カレンダーの同期トークンを %n 件消去しました。完全同期を実行しています…</numerusform>
        </translation>
    </message>
    <message>
        <source>The sync did not finish in time.</source>
        <translation>同期が時間内に終わりませんでした。</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1（%2）：%3</translation>
    </message>
</context>
<context>
    <name>ManageFiltersDialog</name>
    <message>
        <source>Manage Filters</source>
        <translation>フィルターの管理</translation>
    </message>
    <message>
        <source>dim</source>
        <translation>淡色表示</translation>
    </message>
    <message>
        <source>hide</source>
        <translation>非表示</translation>
    </message>
    <message>
        <source>Delete Filter</source>
        <translation>フィルターを削除</translation>
    </message>
    <message>
        <source>Delete the filter &quot;%1&quot;? The events it hides show again.</source>
        <translation>フィルター「%1」を削除しますか？このフィルターで非表示になっていた予定が再び表示されます。</translation>
    </message>
</context>
<context>
    <name>ManageListDialog</name>
    <message>
        <source>Add…</source>
        <translation>追加…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation>削除…</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上へ移動</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下へ移動</translation>
    </message>
</context>
<context>
    <name>ManageSourcesDialog</name>
    <message>
        <source>Calendar Accounts</source>
        <translation>カレンダーアカウント</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>アカウントを追加…</translation>
    </message>
    <message>
        <source>Add a Google, Microsoft or CalDAV account</source>
        <translation>Google、Microsoft、または CalDAV アカウントを追加</translation>
    </message>
    <message>
        <source>Add CalDAV Account…</source>
        <translation>CalDAV アカウントを追加…</translation>
    </message>
    <message>
        <source>Subscribe to Calendar…</source>
        <translation>カレンダーを購読…</translation>
    </message>
    <message>
        <source>Add Calendar on This Device…</source>
        <translation>このデバイスにカレンダーを追加…</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Add Calendar to Account…</source>
        <translation>アカウントにカレンダーを追加…</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Remove…</source>
        <translation>削除…</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>今すぐ同期</translation>
    </message>
    <message>
        <source>Share…</source>
        <translation>共有…</translation>
    </message>
    <message>
        <source>Read only</source>
        <translation>読み取り専用</translation>
    </message>
    <message>
        <source>Share Calendar</source>
        <translation>カレンダーを共有</translation>
    </message>
    <message>
        <source>Members of your Orvandellic group you share this calendar with see and edit its events.</source>
        <translation>このカレンダーを共有した Orvandellic グループのメンバーは、予定を表示・編集できます。</translation>
    </message>
    <message>
        <source>People with access</source>
        <translation>アクセス権を持つユーザー</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>ユーザーを追加</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>まだ誰とも共有していません。</translation>
    </message>
    <message>
        <source>You are not in a group. Create or join one under File › Orvandellic Account… to share calendars.</source>
        <translation>グループに参加していません。カレンダーを共有するには、「ファイル」›「Orvandellic アカウント…」でグループを作成するか参加してください。</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>グループのメンバー全員が既にアクセス権を持っています</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>共有</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>アクセス権を削除</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Could not share</source>
        <translation>共有できませんでした</translation>
    </message>
    <message>
        <source>Could not remove access</source>
        <translation>アクセス権を削除できませんでした</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>アクセス権を削除しますか？</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 はアクセスできなくなります。続行しますか？</translation>
    </message>
    <message>
        <source>Sharing updated.</source>
        <translation>共有設定を更新しました。</translation>
    </message>
    <message>
        <source>Subscribe to Calendar</source>
        <translation>カレンダーを購読</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>アドレス:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>色:</translation>
    </message>
    <message>
        <source>Enter a webcal, http or https address.</source>
        <translation>webcal、http、または https のアドレスを入力してください。</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>名前を入力してください。</translation>
    </message>
    <message>
        <source>The subscription could not be saved.</source>
        <translation>購読を保存できませんでした。</translation>
    </message>
    <message>
        <source>Subscribed to &quot;%1&quot;. Its events arrive with the next sync.</source>
        <translation>「%1」を購読しました。予定は次回の同期で届きます。</translation>
    </message>
    <message>
        <source>Remove Calendar</source>
        <translation>カレンダーを削除</translation>
    </message>
    <message>
        <source>Remove the calendar &quot;%1&quot; with all its events and tasks from this computer?</source>
        <translation>カレンダー「%1」を、すべての予定とタスクとともにこのコンピューターから削除しますか？</translation>
    </message>
    <message>
        <source>The calendar could not be removed.</source>
        <translation>カレンダーを削除できませんでした。</translation>
    </message>
    <message>
        <source>Remove Account</source>
        <translation>アカウントを削除</translation>
    </message>
    <message>
        <source>Remove the account &quot;%1&quot; and its calendars with all their events and tasks from this computer?</source>
        <translation>アカウント「%1」と、そのカレンダー（すべての予定とタスクを含む）をこのコンピューターから削除しますか？</translation>
    </message>
    <message>
        <source>The account could not be removed.</source>
        <translation>アカウントを削除できませんでした。</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>同期しています…</translation>
    </message>
    <message>
        <source>Nothing to sync: no account is ready to sync.</source>
        <translation>同期するものがありません: 同期の準備ができたアカウントがありません。</translation>
    </message>
    <message>
        <source>Sync failed.</source>
        <translation>同期に失敗しました。</translation>
    </message>
    <message>
        <source>Sync failed: %1</source>
        <translation>同期に失敗しました: %1</translation>
    </message>
    <message>
        <source>Sync finished.</source>
        <translation>同期が完了しました。</translation>
    </message>
    <message>
        <source>Reading the account&apos;s calendars…</source>
        <translation>アカウントのカレンダーを読み込んでいます…</translation>
    </message>
    <message>
        <source>The calendars could not be read: %1</source>
        <translation>カレンダーを読み込めませんでした: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) added. Their events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>%n 個のカレンダーを追加しました。予定は今から始まる同期で届きます。</numerusform>
        </translation>
    </message>
    <message>
        <source>Account added. Its events arrive with the sync that starts now.</source>
        <translation>アカウントを追加しました。予定は今から始まる同期で届きます。</translation>
    </message>
    <message numerus="yes">
        <source>Account added. %n calendar(s) were not added: the server lists more than %1. Its events arrive with the sync that starts now.</source>
        <translation>
            <numerusform>アカウントを追加しました。%n 個のカレンダーは追加されませんでした: サーバーが %1 個を超えるカレンダーを返しています。予定は今から始まる同期で届きます。</numerusform>
        </translation>
    </message>
    <message>
        <source>Signed in as %1.</source>
        <translation>%1 としてサインインしました。</translation>
    </message>
</context>
<context>
    <name>ManageTemplatesDialog</name>
    <message>
        <source>Manage Templates</source>
        <translation>テンプレートの管理</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>（名前なし）</translation>
    </message>
    <message>
        <source>The template could not be saved.</source>
        <translation>テンプレートを保存できませんでした。</translation>
    </message>
    <message>
        <source>Delete Template</source>
        <translation>テンプレートを削除</translation>
    </message>
    <message>
        <source>Delete the template &quot;%1&quot;?</source>
        <translation>テンプレート「%1」を削除しますか？</translation>
    </message>
    <message>
        <source>This template was removed meanwhile, so it cannot be saved.</source>
        <translation>このテンプレートはその間に削除されたため、保存できません。</translation>
    </message>
</context>
<context>
    <name>ManageViewsDialog</name>
    <message>
        <source>Manage Calendar Groups</source>
        <translation>カレンダーグループの管理</translation>
    </message>
    <message>
        <source>Delete Calendar Group</source>
        <translation>カレンダーグループを削除</translation>
    </message>
    <message>
        <source>Delete the group &quot;%1&quot;? Its calendars and events are kept.</source>
        <translation>グループ「%1」を削除しますか？グループ内のカレンダーと予定は残ります。</translation>
    </message>
</context>
<context>
    <name>Microsoft::AuthService</name>
    <message>
        <source>Microsoft OAuth credentials are not configured in this build. See .env.example.</source>
        <translation>このビルドには Microsoft OAuth の認証情報が設定されていません。.env.example を参照してください。</translation>
    </message>
    <message>
        <source>Could not bind a local port for the Microsoft sign-in callback: %1</source>
        <translation>Microsoft サインインのコールバック用にローカルポートを確保できませんでした: %1</translation>
    </message>
    <message>
        <source>Could not launch the system browser for Microsoft sign-in.</source>
        <translation>Microsoft サインイン用のシステムブラウザーを起動できませんでした。</translation>
    </message>
    <message>
        <source>Sign-in cancelled.</source>
        <translation>サインインがキャンセルされました。</translation>
    </message>
    <message>
        <source>Microsoft denied the sign-in: %1</source>
        <translation>Microsoft がサインインを拒否しました: %1</translation>
    </message>
    <message>
        <source>Microsoft did not return an authorization code.</source>
        <translation>Microsoft から認証コードが返されませんでした。</translation>
    </message>
    <message>
        <source>Token exchange failed (HTTP %1): %2</source>
        <translation>トークンの交換に失敗しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>Microsoft did not return an access token.</source>
        <translation>Microsoft からアクセストークンが返されませんでした。</translation>
    </message>
    <message>
        <source>Microsoft did not return a refresh token. Verify offline_access is in the scopes configured for this app.</source>
        <translation>Microsoft からリフレッシュトークンが返されませんでした。このアプリに設定されたスコープに offline_access が含まれているか確認してください。</translation>
    </message>
    <message>
        <source>Microsoft&apos;s token service did not answer in time.</source>
        <translation>Microsoft のトークンサービスが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>Microsoft OAuth credentials are not configured.</source>
        <translation>Microsoft OAuth の認証情報が設定されていません。</translation>
    </message>
    <message>
        <source>Token refresh failed (HTTP %1): %2</source>
        <translation>トークンの更新に失敗しました（HTTP %1）: %2</translation>
    </message>
    <message>
        <source>Microsoft&apos;s response had no access_token.</source>
        <translation>Microsoft の応答に access_token がありませんでした。</translation>
    </message>
</context>
<context>
    <name>Microsoft::SyncClient</name>
    <message>
        <source>Microsoft calendars do not sync yet.</source>
        <translation>Microsoft のカレンダーはまだ同期されません。</translation>
    </message>
</context>
<context>
    <name>MonthGridWidget</name>
    <message>
        <source>+%1 more</source>
        <translation>他 %1 件</translation>
    </message>
</context>
<context>
    <name>MonthView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>フィルター「%1」を編集…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>予定からフィルターを作成…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>予定を削除しますか？</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>NotificationService</name>
    <message>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>明日</translation>
    </message>
    <message>
        <source>%1, all day</source>
        <translation>%1、終日</translation>
    </message>
    <message>
        <source>Starting now (%1)</source>
        <translation>まもなく開始（%1）</translation>
    </message>
    <message>
        <source>In %1 minutes (%2)</source>
        <translation>%1 分後（%2）</translation>
    </message>
    <message>
        <source>In %1h (%2)</source>
        <translation>%1 時間後（%2）</translation>
    </message>
    <message>
        <source>Tomorrow at %1</source>
        <translation>明日 %1</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>リマインダー</translation>
    </message>
    <message>
        <source>Test reminder</source>
        <translation>テストリマインダー</translation>
    </message>
    <message>
        <source>If you can see this, your desktop notifications are wired up correctly. Real reminders look just like this one.</source>
        <translation>これが表示されていれば、デスクトップ通知は正しく設定されています。実際のリマインダーもこれと同じように表示されます。</translation>
    </message>
</context>
<context>
    <name>OAuthProgressDialog</name>
    <message>
        <source>Sign in to %1</source>
        <translation>%1 にサインイン</translation>
    </message>
    <message>
        <source>Waiting for %1…</source>
        <translation>%1 を待っています…</translation>
    </message>
    <message>
        <source>Complete the sign-in in the browser window that has opened. This window closes by itself when you are done.</source>
        <translation>開いたブラウザーウィンドウでサインインを完了してください。完了すると、このウィンドウは自動的に閉じます。</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountGroupPage</name>
    <message>
        <source>Only the first %1 of %2 members are shown.</source>
        <translation>%2 人のメンバーのうち最初の %1 人だけを表示しています。</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 invitations are shown.</source>
        <translation>%2 件の招待のうち最初の %1 件だけを表示しています。</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::AccountScreen</name>
    <message>
        <source>Only the first %1 of %2 devices are shown.</source>
        <translation>%2 台のデバイスのうち最初の %1 台だけを表示しています。</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 sessions are shown.</source>
        <translation>%2 件のセッションのうち最初の %1 件だけを表示しています。</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ApiClient</name>
    <message>
        <source>The service&apos;s reply was too large.</source>
        <translation>サービスの応答が大きすぎます。</translation>
    </message>
    <message>
        <source>The service gave this entry no id</source>
        <translation>サービスがこの項目に ID を付けていません</translation>
    </message>
</context>
<context>
    <name>OrvaAccount::ShareMembersDialog</name>
    <message>
        <source>People with access</source>
        <translation>アクセス権を持つユーザー</translation>
    </message>
    <message>
        <source>Add people</source>
        <translation>ユーザーを追加</translation>
    </message>
    <message>
        <source>All group members already have access</source>
        <translation>グループのメンバー全員が既にアクセス権を持っています</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Could not load who has access: %1</source>
        <translation>アクセス権を持つユーザーを読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>Not shared with anyone yet.</source>
        <translation>まだ誰とも共有していません。</translation>
    </message>
    <message>
        <source>Remove access</source>
        <translation>アクセス権を削除</translation>
    </message>
    <message>
        <source>Could not load your group: %1</source>
        <translation>グループを読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>共有</translation>
    </message>
    <message>
        <source>Could not share with %1.</source>
        <translation>%1 と共有できませんでした。</translation>
    </message>
    <message>
        <source>Remove access?</source>
        <translation>アクセス権を削除しますか？</translation>
    </message>
    <message>
        <source>%1 will no longer have access. Continue?</source>
        <translation>%1 はアクセスできなくなります。続行しますか？</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1 を削除できませんでした。</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>読み込み中…</translation>
    </message>
    <message>
        <source>Only the first %1 of %2 group members are listed.</source>
        <translation>%2 人のグループメンバーのうち最初の %1 人だけを一覧にしています。</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate</name>
    <message>
        <source>Send Feedback</source>
        <translation>フィードバックを送信</translation>
    </message>
    <message>
        <source>No browser could be started. The feedback page is at:
%1</source>
        <translation>ブラウザーを起動できませんでした。フィードバックページの URL:
%1</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>アップデートを確認しています…</translation>
    </message>
    <message>
        <source>%1 is up to date (version %2).</source>
        <translation>%1 は最新です（バージョン %2）。</translation>
    </message>
    <message>
        <source>Update check failed: %1</source>
        <translation>アップデートの確認に失敗しました: %1</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>リリースノートを読み込んでいます…</translation>
    </message>
    <message>
        <source>Release notes could not be loaded: %1</source>
        <translation>リリースノートを読み込めませんでした: %1</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::FeedRequest</name>
    <message>
        <source>The update server sent too much data.</source>
        <translation>アップデートサーバーから送られたデータが多すぎます。</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>アップデートサーバーが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>アップデートサーバーがステータス %1 を返しました。</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::ReleaseManifest</name>
    <message>
        <source>The release manifest could not be read.</source>
        <translation>リリースマニフェストを読み込めませんでした。</translation>
    </message>
    <message>
        <source>The release manifest has an unknown format.</source>
        <translation>リリースマニフェストの形式が不明です。</translation>
    </message>
    <message>
        <source>The release manifest names no version.</source>
        <translation>リリースマニフェストにバージョンが記載されていません。</translation>
    </message>
    <message>
        <source>The release manifest offers no usable download.</source>
        <translation>リリースマニフェストに利用可能なダウンロードがありません。</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::UpdateDialog</name>
    <message>
        <source>Update Available</source>
        <translation>アップデートがあります</translation>
    </message>
    <message>
        <source>%1 %2 is available.</source>
        <translation>%1 %2 が利用可能です。</translation>
    </message>
    <message>
        <source>You have version %1.</source>
        <translation>現在のバージョンは %1 です。</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation>リリースノート</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>後で</translation>
    </message>
</context>
<context>
    <name>OrvaUpdate::WhatsNewDialog</name>
    <message>
        <source>What&apos;s New in %1 %2</source>
        <translation>%1 %2 の新機能</translation>
    </message>
    <message>
        <source>Loading release notes…</source>
        <translation>リリースノートを読み込んでいます…</translation>
    </message>
    <message>
        <source>No release notes for this version.</source>
        <translation>このバージョンのリリースノートはありません。</translation>
    </message>
    <message>
        <source>The release notes could not be loaded: %1</source>
        <translation>リリースノートを読み込めませんでした: %1</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SharingBackend</name>
    <message>
        <source>Not signed in</source>
        <translation>サインインしていません</translation>
    </message>
    <message>
        <source>Sharing failed (HTTP %1)</source>
        <translation>共有に失敗しました（HTTP %1）</translation>
    </message>
</context>
<context>
    <name>Orvandellic::SyncClient</name>
    <message>
        <source>Not signed in</source>
        <translation>サインインしていません</translation>
    </message>
    <message>
        <source>The calendar no longer exists.</source>
        <translation>カレンダーはもう存在しません。</translation>
    </message>
    <message>
        <source>Could not store the cloud calendar&apos;s changes.</source>
        <translation>クラウドカレンダーの変更を保存できませんでした。</translation>
    </message>
    <message>
        <source>Could not reach the cloud service.</source>
        <translation>クラウドサービスに接続できませんでした。</translation>
    </message>
    <message>
        <source>Cloud sync failed (HTTP %1)</source>
        <translation>クラウド同期に失敗しました（HTTP %1）</translation>
    </message>
    <message numerus="yes">
        <source>%n calendar(s) of the cloud calendar list not added: only the first %1 are taken.</source>
        <translation>
            <numerusform>クラウドのカレンダー一覧のうち %n 件のカレンダーは追加されていません：取り込むのは最初の %1 件までです。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PdfExportDialog</name>
    <message>
        <source>All day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>All day – %1</source>
        <translation>終日 – %1</translation>
    </message>
    <message>
        <source>Export Agenda PDF</source>
        <translation>アジェンダを PDF にエクスポート</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>開始日:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>終了日:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>参照…</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>ファイル:</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>エクスポート</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF ファイル (*.pdf)</translation>
    </message>
    <message>
        <source>The end date must not be before the start date.</source>
        <translation>終了日を開始日より前にすることはできません。</translation>
    </message>
    <message>
        <source>Choose a range of at most %1 days.</source>
        <translation>期間は %1 日以内で選択してください。</translation>
    </message>
    <message>
        <source>Choose a file to write.</source>
        <translation>書き込むファイルを選択してください。</translation>
    </message>
    <message>
        <source>Agenda</source>
        <translation>アジェンダ</translation>
    </message>
    <message>
        <source>Could not write &quot;%1&quot;.</source>
        <translation>「%1」に書き込めませんでした。</translation>
    </message>
    <message>
        <source>No events in this range.</source>
        <translation>この期間に予定はありません。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>CalDAV</source>
        <translation>CalDAV</translation>
    </message>
    <message>
        <source>iCloud</source>
        <translation>iCloud</translation>
    </message>
    <message>
        <source>Zoho</source>
        <translation>Zoho</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Microsoft</source>
        <translation>Microsoft</translation>
    </message>
    <message>
        <source>Subscription</source>
        <translation>購読カレンダー</translation>
    </message>
    <message>
        <source>This device</source>
        <translation>このデバイス</translation>
    </message>
    <message>
        <source>Repeats daily</source>
        <translation>毎日繰り返し</translation>
    </message>
    <message>
        <source>Every %1 days</source>
        <translation>%1 日ごと</translation>
    </message>
    <message>
        <source>Repeats weekly</source>
        <translation>毎週繰り返し</translation>
    </message>
    <message>
        <source>Every %1 weeks</source>
        <translation>%1 週間ごと</translation>
    </message>
    <message>
        <source>Repeats monthly</source>
        <translation>毎月繰り返し</translation>
    </message>
    <message>
        <source>Every %1 months</source>
        <translation>%1 か月ごと</translation>
    </message>
    <message>
        <source>Repeats yearly</source>
        <translation>毎年繰り返し</translation>
    </message>
    <message>
        <source>Every %1 years</source>
        <translation>%1 年ごと</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <source>on the %1 %2</source>
        <translation>%1 %2に</translation>
    </message>
    <message>
        <source>on the %1</source>
        <translation>%1に</translation>
    </message>
    <message numerus="yes">
        <source>%n time(s)</source>
        <translation>
            <numerusform>%n 回</numerusform>
        </translation>
    </message>
    <message>
        <source>until %1</source>
        <translation>%1 まで</translation>
    </message>
    <message>
        <source>At time of event</source>
        <translation>予定の時刻</translation>
    </message>
    <message numerus="yes">
        <source>%n min before</source>
        <translation>
            <numerusform>%n 分前</numerusform>
        </translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1 日</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1 日</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1 日</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1 日</translation>
    </message>
    <message>
        <source>first</source>
        <translation>第1</translation>
    </message>
    <message>
        <source>second</source>
        <translation>第2</translation>
    </message>
    <message>
        <source>third</source>
        <translation>第3</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>第4</translation>
    </message>
    <message>
        <source>fifth</source>
        <translation>第5</translation>
    </message>
    <message>
        <source>last</source>
        <translation>最終</translation>
    </message>
    <message>
        <source>second-to-last</source>
        <translation>最後から2番目</translation>
    </message>
    <message>
        <source>%1th-from-last</source>
        <translation>末日から %1 番目の日</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>明日</translation>
    </message>
    <message>
        <source>Yesterday</source>
        <translation>昨日</translation>
    </message>
    <message>
        <source>High</source>
        <translation>高</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>中</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>↳ subtask</source>
        <translation>↳ サブタスク</translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n 時間前</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n 日前</numerusform>
        </translation>
    </message>
    <message>
        <source>Pattern Match</source>
        <translation>パターン一致</translation>
    </message>
    <message>
        <source>Filter events matching text patterns</source>
        <translation>テキストのパターンに一致する予定をフィルター</translation>
    </message>
    <message>
        <source>Time-Based</source>
        <translation>時刻指定</translation>
    </message>
    <message>
        <source>Filter events at specific times</source>
        <translation>特定の時刻の予定をフィルター</translation>
    </message>
    <message>
        <source>Specific Event</source>
        <translation>特定の予定</translation>
    </message>
    <message>
        <source>Filter a specific recurring event</source>
        <translation>特定の繰り返しの予定をフィルター</translation>
    </message>
    <message>
        <source>All-Day Events</source>
        <translation>終日の予定</translation>
    </message>
    <message>
        <source>Filter all-day events</source>
        <translation>終日の予定をフィルター</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>月曜</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>火曜</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>水曜</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>木曜</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>金曜</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>土曜</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>日曜</translation>
    </message>
</context>
<context>
    <name>QuickAddDialog</name>
    <message>
        <source>Quick Add</source>
        <translation>クイック追加</translation>
    </message>
    <message>
        <source>Type an event in plain English.</source>
        <translation>予定を英語の文で入力してください。</translation>
    </message>
    <message>
        <source>e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>例: &quot;lunch Thursday 1pm&quot;</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>No calendar accepts new events</source>
        <translation>新しい予定を受け付けるカレンダーがありません</translation>
    </message>
    <message>
        <source>Couldn&apos;t read an event in this text</source>
        <translation>このテキストから予定を読み取れませんでした</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>予定を保存できませんでした</translation>
    </message>
</context>
<context>
    <name>RecurrenceEditDialog</name>
    <message>
        <source>Recurrence</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>毎日</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>毎週</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>毎月</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>毎年</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>繰り返さない</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>頻度</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>間隔</translation>
    </message>
    <message>
        <source>On day of the month</source>
        <translation>日付で指定</translation>
    </message>
    <message>
        <source>of every month</source>
        <translation>日（毎月）</translation>
    </message>
    <message>
        <source>On the nth weekday</source>
        <translation>第 n 週の曜日で指定</translation>
    </message>
    <message>
        <source>first</source>
        <translation>第1</translation>
    </message>
    <message>
        <source>second</source>
        <translation>第2</translation>
    </message>
    <message>
        <source>third</source>
        <translation>第3</translation>
    </message>
    <message>
        <source>fourth</source>
        <translation>第4</translation>
    </message>
    <message>
        <source>last</source>
        <translation>最終</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>月曜日</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>火曜日</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>水曜日</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>木曜日</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>金曜日</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>土曜日</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>日曜日</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>After</source>
        <translation>指定回数</translation>
    </message>
    <message>
        <source>occurrences</source>
        <translation>回</translation>
    </message>
    <message>
        <source>On</source>
        <translation>指定日</translation>
    </message>
    <message>
        <source>Ends</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>day</source>
        <translation>日ごと</translation>
    </message>
    <message>
        <source>days</source>
        <translation>日ごと</translation>
    </message>
    <message>
        <source>month</source>
        <translation>か月ごと</translation>
    </message>
    <message>
        <source>months</source>
        <translation>か月ごと</translation>
    </message>
    <message>
        <source>year</source>
        <translation>年ごと</translation>
    </message>
    <message>
        <source>years</source>
        <translation>年ごと</translation>
    </message>
    <message>
        <source>week</source>
        <translation>週間ごと</translation>
    </message>
    <message>
        <source>weeks</source>
        <translation>週間ごと</translation>
    </message>
</context>
<context>
    <name>RecurringEdit</name>
    <message>
        <source>The clocks skip the time &quot;%1&quot; was moved to on %2, so it begins at %3 that day and repeats at %3.</source>
        <translation>「%1」を移動した %2 の時刻は時計の切り替えで存在しないため、その日は %3 に始まり、以後も %3 に繰り返します。</translation>
    </message>
    <message>
        <source>The days of this series&apos; repeat rule cannot all move by the same number of days, so the series was left as it was. To move it, change its repeat rule together with its date in the event form.</source>
        <translation>このシリーズの繰り返しルールの曜日をすべて同じ日数だけ移動することはできないため、シリーズは変更されませんでした。移動するには、予定のフォームで日付と一緒に繰り返しルールを変更してください。</translation>
    </message>
    <message>
        <source>Could not undo: %1</source>
        <translation>元に戻せませんでした: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed elsewhere meanwhile, so nothing was changed.</source>
        <translation>「%1」はその間に別の場所で変更されたため、何も変更されませんでした。</translation>
    </message>
    <message>
        <source>The change of &quot;%1&quot; on %2 was deleted elsewhere meanwhile, so nothing was changed.</source>
        <translation>%2の「%1」の変更はその間に別の場所で削除されたため、何も変更されませんでした。</translation>
    </message>
</context>
<context>
    <name>RecurringEditScopeDialog</name>
    <message>
        <source>Delete Recurring Event</source>
        <translation>繰り返しの予定を削除</translation>
    </message>
    <message>
        <source>Edit Recurring Event</source>
        <translation>繰り返しの予定を編集</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;</source>
        <translation>「%1」を削除</translation>
    </message>
    <message>
        <source>Edit &quot;%1&quot;</source>
        <translation>「%1」を編集</translation>
    </message>
    <message>
        <source>This event repeats. Delete:</source>
        <translation>この予定は繰り返します。削除する対象:</translation>
    </message>
    <message>
        <source>This event repeats. Apply your changes to:</source>
        <translation>この予定は繰り返します。変更の適用先:</translation>
    </message>
    <message>
        <source>This event only</source>
        <translation>この予定のみ</translation>
    </message>
    <message>
        <source>Only this occurrence is changed; the rest of the series stays as it was.</source>
        <translation>この回だけが変更されます。シリーズの他の回はそのままです。</translation>
    </message>
    <message>
        <source>This and following events</source>
        <translation>この予定以降のすべての予定</translation>
    </message>
    <message>
        <source>This occurrence and every later one inherit the change. Past occurrences keep their original times.</source>
        <translation>この回とそれ以降のすべての回に変更が適用されます。過去の回は元の時刻のままです。</translation>
    </message>
    <message>
        <source>All events in the series</source>
        <translation>シリーズのすべての予定</translation>
    </message>
    <message>
        <source>The master event shifts; every occurrence — past and future — moves with it.</source>
        <translation>元の予定が移動し、過去と今後のすべての回も一緒に移動します。</translation>
    </message>
    <message>
        <source>Only this occurrence is deleted; the rest of the series stays.</source>
        <translation>この回だけが削除されます。シリーズの他の回は残ります。</translation>
    </message>
    <message>
        <source>This occurrence and every later one are deleted. Earlier occurrences stay.</source>
        <translation>この回とそれ以降のすべての回が削除されます。それより前の回は残ります。</translation>
    </message>
    <message>
        <source>Every occurrence — past and future — is deleted.</source>
        <translation>過去と今後のすべての回が削除されます。</translation>
    </message>
</context>
<context>
    <name>ReminderWindow</name>
    <message>
        <source>Reminders</source>
        <translation>リマインダー</translation>
    </message>
    <message>
        <source>Dismiss all</source>
        <translation>すべて閉じる</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>RruleFormat</name>
    <message>
        <source>Mon</source>
        <translation>月曜</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>火曜</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>水曜</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>木曜</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>金曜</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>土曜</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>日曜</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>%1 · All day</source>
        <translation>%1 · 終日</translation>
    </message>
    <message>
        <source>Find Events</source>
        <translation>予定を検索</translation>
    </message>
    <message>
        <source>Search titles, locations and notes</source>
        <translation>タイトル、場所、メモを検索</translation>
    </message>
    <message>
        <source>(No title)</source>
        <translation>（タイトルなし）</translation>
    </message>
    <message>
        <source>No events found.</source>
        <translation>予定が見つかりませんでした。</translation>
    </message>
    <message>
        <source>Showing the first %1 matches.</source>
        <translation>最初の %1 件を表示しています。</translation>
    </message>
    <message>
        <source>1 event found.</source>
        <translation>1 件の予定が見つかりました。</translation>
    </message>
    <message>
        <source>%1 events found.</source>
        <translation>%1 件の予定が見つかりました。</translation>
    </message>
</context>
<context>
    <name>SeriesActions</name>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>「%1」を削除できませんでした。</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>12-hour (1:30 PM)</source>
        <translation>12 時間制（1:30 PM）</translation>
    </message>
    <message>
        <source>24-hour (13:30)</source>
        <translation>24 時間制（13:30）</translation>
    </message>
    <message>
        <source>Time format:</source>
        <translation>時刻の形式:</translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation>システムに合わせる</translation>
    </message>
    <message>
        <source>Week starts on:</source>
        <translation>週の開始曜日:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>～</translation>
    </message>
    <message>
        <source>Working hours:</source>
        <translation>勤務時間:</translation>
    </message>
    <message>
        <source>Show week numbers</source>
        <translation>週番号を表示</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Default calendar:</source>
        <translation>デフォルトのカレンダー:</translation>
    </message>
    <message>
        <source>Show the weather forecast</source>
        <translation>天気予報を表示</translation>
    </message>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>ライト</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>ダーク</translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation>テーマ:</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>デフォルト</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>ティール</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>緑</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>オレンジ</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>紫</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>ピンク</translation>
    </message>
    <message>
        <source>Accent colour:</source>
        <translation>アクセントカラー:</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>言語:</translation>
    </message>
    <message>
        <source>A new language applies the next time Calendar starts.</source>
        <translation>新しい言語は、次回カレンダーを起動したときに適用されます。</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>外観</translation>
    </message>
    <message>
        <source>Start Calendar when I log in</source>
        <translation>ログイン時にカレンダーを起動</translation>
    </message>
    <message>
        <source>Start minimised to the tray</source>
        <translation>トレイに最小化して起動</translation>
    </message>
    <message>
        <source>Close to tray (keep running in the background)</source>
        <translation>閉じるとトレイに格納（バックグラウンドで実行を継続）</translation>
    </message>
    <message>
        <source>Startup</source>
        <translation>起動</translation>
    </message>
    <message>
        <source>When you are signed in, these settings follow you to your other devices:</source>
        <translation>サインインしている間、以下の設定は他のデバイスにも引き継がれます:</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>アカウント</translation>
    </message>
    <message>
        <source>Filter rules</source>
        <translation>フィルタールール</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>テンプレート</translation>
    </message>
    <message>
        <source>Calendar groups</source>
        <translation>カレンダーグループ</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>同期</translation>
    </message>
</context>
<context>
    <name>StoredTask</name>
    <message>
        <source>Task not found</source>
        <translation>タスクが見つかりません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was moved to another calendar meanwhile, so nothing was changed.</source>
        <translation>「%1」はその間に別のカレンダーに移動されたため、何も変更されませんでした。</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>このタスクはもう存在しません。</translation>
    </message>
</context>
<context>
    <name>TaskDetailsPopover</name>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>サブタスクを追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>このタスクはもう存在しません。</translation>
    </message>
    <message>
        <source>(Untitled task)</source>
        <translation>（無題のタスク）</translation>
    </message>
    <message>
        <source>▶  Starts %1</source>
        <translation>▶  開始: %1</translation>
    </message>
    <message>
        <source>Unknown calendar</source>
        <translation>不明なカレンダー</translation>
    </message>
    <message>
        <source>%1 priority</source>
        <translation>優先度: %1</translation>
    </message>
    <message>
        <source>Mark incomplete</source>
        <translation>未完了に戻す</translation>
    </message>
    <message>
        <source>Mark complete</source>
        <translation>完了にする</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>タスクが見つかりません</translation>
    </message>
    <message>
        <source>Task change failed</source>
        <translation>タスクの変更に失敗しました</translation>
    </message>
    <message>
        <source>The task could not be changed; it may have been deleted.</source>
        <translation>タスクを変更できませんでした。削除された可能性があります。</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>タスク</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>タスクを削除しますか？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
    </message>
    <message>
        <source>Could not delete &quot;%1&quot;.</source>
        <translation>「%1」を削除できませんでした。</translation>
    </message>
</context>
<context>
    <name>TaskFormDialog</name>
    <message>
        <source>Could not save the task: the calendar file is read-only.</source>
        <translation>タスクを保存できませんでした: カレンダーファイルは読み取り専用です。</translation>
    </message>
    <message>
        <source>Could not save the task.</source>
        <translation>タスクを保存できませんでした。</translation>
    </message>
    <message>
        <source>Edit Task</source>
        <translation>タスクを編集</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>新しいタスク</translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation>タスクを編集</translation>
    </message>
    <message>
        <source>New task</source>
        <translation>新しいタスク</translation>
    </message>
    <message>
        <source>Update the task and save to apply.</source>
        <translation>タスクを更新し、保存して適用してください。</translation>
    </message>
    <message>
        <source>Drop a quick to-do; due date and priority are optional.</source>
        <translation>ちょっとした ToDo を入力しましょう。期限と優先度は省略できます。</translation>
    </message>
    <message>
        <source>Buy birthday gift, prep Q1 report…</source>
        <translation>誕生日プレゼントを買う、Q1 レポートの準備…</translation>
    </message>
    <message>
        <source>&amp;Title</source>
        <translation>タイトル(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Calendar</source>
        <translation>カレンダー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Starts</source>
        <translation>開始(&amp;S)</translation>
    </message>
    <message>
        <source>Set start date</source>
        <translation>開始日を設定</translation>
    </message>
    <message>
        <source>&amp;Due</source>
        <translation>期限(&amp;D)</translation>
    </message>
    <message>
        <source>Set due date</source>
        <translation>期限日を設定</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>繰り返さない</translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation>繰り返し(&amp;R)</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>期限日</translation>
    </message>
    <message>
        <source>Completion date</source>
        <translation>完了日</translation>
    </message>
    <message>
        <source>Due date: next due = current due + interval.
Completion date: next due = today + interval.</source>
        <translation>期限日: 次の期限 = 現在の期限 + 間隔。
完了日: 次の期限 = 今日 + 間隔。</translation>
    </message>
    <message>
        <source>Repeats &amp;from</source>
        <translation>繰り返しの基準(&amp;F)</translation>
    </message>
    <message>
        <source>— None</source>
        <translation>— なし</translation>
    </message>
    <message>
        <source>● High</source>
        <translation>● 高</translation>
    </message>
    <message>
        <source>● Medium</source>
        <translation>● 中</translation>
    </message>
    <message>
        <source>● Low</source>
        <translation>● 低</translation>
    </message>
    <message>
        <source>&amp;Priority</source>
        <translation>優先度(&amp;P)</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>e.g. Personal, Health, Errands</source>
        <translation>例: 個人、健康、用事</translation>
    </message>
    <message>
        <source>&amp;Categories</source>
        <translation>カテゴリ(&amp;C)</translation>
    </message>
    <message>
        <source>Steps, links, context…</source>
        <translation>手順、リンク、背景…</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>メモ(&amp;N)</translation>
    </message>
    <message>
        <source>An import is being written; the task is saved when it ends.</source>
        <translation>インポートの書き込み中です。終わりしだいタスクが保存されます。</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>変更を保存</translation>
    </message>
    <message>
        <source>Create task</source>
        <translation>タスクを作成</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>This task belongs to a read-only calendar. It can be viewed but not changed.</source>
        <translation>このタスクは読み取り専用のカレンダーに属しています。表示はできますが、変更はできません。</translation>
    </message>
    <message>
        <source>Subtasks stay in their parent task&apos;s calendar.</source>
        <translation>サブタスクは親タスクと同じカレンダーに入ります。</translation>
    </message>
    <message>
        <source>The parent task belongs to a read-only calendar, so it cannot get subtasks.</source>
        <translation>親タスクは読み取り専用のカレンダーに属しているため、サブタスクを追加できません。</translation>
    </message>
    <message>
        <source>Title required</source>
        <translation>タイトルが必要です</translation>
    </message>
    <message>
        <source>Please enter a title for the task.</source>
        <translation>タスクのタイトルを入力してください。</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>カレンダーがありません</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>先にカレンダーを作成してください。</translation>
    </message>
    <message>
        <source>Start after due date</source>
        <translation>開始日が期限日より後です</translation>
    </message>
    <message>
        <source>The start date is later than the due date.</source>
        <translation>開始日が期限日より後になっています。</translation>
    </message>
    <message>
        <source>Task removed</source>
        <translation>タスクが削除されました</translation>
    </message>
    <message>
        <source>This task was deleted meanwhile, so it cannot be saved.</source>
        <translation>このタスクはその間に削除されたため、保存できません。</translation>
    </message>
    <message>
        <source>The parent task was deleted meanwhile, so the subtask cannot be saved.</source>
        <translation>親タスクがその間に削除されたため、サブタスクを保存できません。</translation>
    </message>
    <message>
        <source>Cannot move task</source>
        <translation>タスクを移動できません</translation>
    </message>
    <message>
        <source>The chosen calendar already holds this task or one of its subtasks.</source>
        <translation>選択したカレンダーには、このタスクまたはそのサブタスクが既に入っています。</translation>
    </message>
    <message>
        <source>Database Error</source>
        <translation>データベースエラー</translation>
    </message>
</context>
<context>
    <name>TasksPane</name>
    <message>
        <source>Tasks</source>
        <translation>タスク</translation>
    </message>
    <message>
        <source>Filter tasks</source>
        <translation>タスクを絞り込み</translation>
    </message>
    <message>
        <source>All tasks</source>
        <translation>すべてのタスク</translation>
    </message>
    <message>
        <source>Due today</source>
        <translation>今日が期限</translation>
    </message>
    <message>
        <source>Due this week</source>
        <translation>今週が期限</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>期限切れ</translation>
    </message>
    <message>
        <source>Group by calendar</source>
        <translation>カレンダーごとにグループ化</translation>
    </message>
    <message>
        <source>Hide completed</source>
        <translation>完了したタスクを非表示</translation>
    </message>
    <message>
        <source>Show notes</source>
        <translation>メモを表示</translation>
    </message>
    <message>
        <source>Show categories</source>
        <translation>カテゴリを表示</translation>
    </message>
    <message>
        <source>No tasks yet</source>
        <translation>タスクはまだありません</translation>
    </message>
    <message>
        <source>Create a task to track what needs doing.</source>
        <translation>やるべきことを管理するタスクを作成しましょう。</translation>
    </message>
    <message>
        <source>+ New Task</source>
        <translation>+ 新しいタスク</translation>
    </message>
    <message>
        <source>Nothing due today</source>
        <translation>今日が期限のタスクはありません</translation>
    </message>
    <message>
        <source>Nothing due this week</source>
        <translation>今週が期限のタスクはありません</translation>
    </message>
    <message>
        <source>Nothing overdue</source>
        <translation>期限切れのタスクはありません</translation>
    </message>
    <message>
        <source>You&apos;re caught up. Nice.</source>
        <translation>すべて片付きました。お見事です。</translation>
    </message>
    <message>
        <source>Switch the filter to see other tasks.</source>
        <translation>絞り込みを切り替えると他のタスクが表示されます。</translation>
    </message>
    <message>
        <source>No calendars</source>
        <translation>カレンダーがありません</translation>
    </message>
    <message>
        <source>Create a calendar first.</source>
        <translation>先にカレンダーを作成してください。</translation>
    </message>
    <message>
        <source>Task not found</source>
        <translation>タスクが見つかりません</translation>
    </message>
    <message>
        <source>This task no longer exists.</source>
        <translation>このタスクはもう存在しません。</translation>
    </message>
    <message>
        <source>Can&apos;t move task</source>
        <translation>タスクを移動できません</translation>
    </message>
    <message>
        <source>Subtasks must belong to the same calendar as their parent. Move &quot;%1&quot; to the same calendar first.</source>
        <translation>サブタスクは親タスクと同じカレンダーに属している必要があります。先に「%1」を同じカレンダーに移動してください。</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>サブタスクを追加</translation>
    </message>
    <message>
        <source>Mark Incomplete</source>
        <translation>未完了に戻す</translation>
    </message>
    <message>
        <source>Mark Complete</source>
        <translation>完了にする</translation>
    </message>
    <message>
        <source>Clear In Progress</source>
        <translation>進行中を解除</translation>
    </message>
    <message>
        <source>Mark In Progress</source>
        <translation>進行中にする</translation>
    </message>
    <message>
        <source>Restore Task</source>
        <translation>タスクを復元</translation>
    </message>
    <message>
        <source>Mark Cancelled</source>
        <translation>キャンセル済みにする</translation>
    </message>
    <message>
        <source>Make Top-Level</source>
        <translation>最上位に移動</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Delete task?</source>
        <translation>タスクを削除しますか？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? This cannot be undone.</source>
        <translation>「%1」を削除しますか？この操作は元に戻せません。</translation>
    </message>
</context>
<context>
    <name>TasksPaneRow</name>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
    <message>
        <source>IN PROGRESS</source>
        <translation>進行中</translation>
    </message>
    <message>
        <source>CANCELLED</source>
        <translation>キャンセル済み</translation>
    </message>
</context>
<context>
    <name>TemplateEditorDialog</name>
    <message>
        <source>At time of event</source>
        <translation>予定の時刻</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) before</source>
        <translation>
            <numerusform>%n 分前</numerusform>
        </translation>
    </message>
    <message>
        <source>1 hour before</source>
        <translation>1 時間前</translation>
    </message>
    <message>
        <source>New Template</source>
        <translation>新しいテンプレート</translation>
    </message>
    <message>
        <source>Edit Template</source>
        <translation>テンプレートを編集</translation>
    </message>
    <message>
        <source>e.g., Standup, Doctor visit</source>
        <translation>例: 朝会、通院</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>テンプレート名</translation>
    </message>
    <message>
        <source>Event title shown on the calendar</source>
        <translation>カレンダーに表示される予定のタイトル</translation>
    </message>
    <message>
        <source>Event title</source>
        <translation>予定のタイトル</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>Optional location</source>
        <translation>場所（省略可）</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>場所</translation>
    </message>
    <message>
        <source>Use calendar color</source>
        <translation>カレンダーの色を使用</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>(use default)</source>
        <translation>（デフォルトを使用）</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>All-day event</source>
        <translation>終日の予定</translation>
    </message>
    <message>
        <source>h</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>m</source>
        <translation>分</translation>
    </message>
    <message>
        <source>Default duration</source>
        <translation>デフォルトの長さ</translation>
    </message>
    <message>
        <source>Recurrence</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>リマインダー</translation>
    </message>
    <message>
        <source>+ Add reminder</source>
        <translation>+ リマインダーを追加</translation>
    </message>
    <message>
        <source>No reminders</source>
        <translation>リマインダーなし</translation>
    </message>
    <message>
        <source>Remove reminder</source>
        <translation>リマインダーを削除</translation>
    </message>
    <message>
        <source>Template color</source>
        <translation>テンプレートの色</translation>
    </message>
    <message>
        <source>Inherits the calendar&apos;s color. Click to override.</source>
        <translation>カレンダーの色を使用します。クリックして変更します。</translation>
    </message>
    <message>
        <source>%1, click to change.</source>
        <translation>%1。クリックして変更します。</translation>
    </message>
    <message>
        <source>Does not repeat</source>
        <translation>繰り返さない</translation>
    </message>
    <message>
        <source>Missing name</source>
        <translation>名前がありません</translation>
    </message>
    <message>
        <source>Give this template a name so you can pick it later.</source>
        <translation>後で選べるように、このテンプレートに名前を付けてください。</translation>
    </message>
    <message>
        <source>Missing event title</source>
        <translation>予定のタイトルがありません</translation>
    </message>
    <message>
        <source>Set the event title. That&apos;s what events created from this template will be called.</source>
        <translation>予定のタイトルを設定してください。このテンプレートから作成される予定の名前になります。</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) before</source>
        <translation>
            <numerusform>%n 日前</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) before</source>
        <translation>
            <numerusform>%n 時間前</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TimelineWidget</name>
    <message>
        <source>+%1</source>
        <translation>+%1</translation>
    </message>
    <message numerus="yes">
        <source>%n more events</source>
        <translation>
            <numerusform>他 %n 件の予定</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TrayManager</name>
    <message>
        <source>&amp;Show Calendar</source>
        <translation>カレンダーを表示(&amp;S)</translation>
    </message>
    <message>
        <source>Sync &amp;Now</source>
        <translation>今すぐ同期(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>Orvandellic Calendar</source>
        <translation>Orvandellic Calendar</translation>
    </message>
    <message>
        <source>%1 — Last sync failed</source>
        <translation>%1 — 前回の同期に失敗しました</translation>
    </message>
    <message>
        <source>%1 — Sync failed: %2</source>
        <translation>%1 — 同期に失敗しました: %2</translation>
    </message>
    <message>
        <source>%1 — No upcoming events</source>
        <translation>%1 — 今後の予定はありません</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>tomorrow</source>
        <translation>明日</translation>
    </message>
    <message>
        <source>%1 — Next: %2 (%3, all day)</source>
        <translation>%1 — 次の予定: %2（%3、終日）</translation>
    </message>
    <message>
        <source>at %1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>tomorrow at %1</source>
        <translation>明日 %1</translation>
    </message>
    <message>
        <source>%1 — Next: %2 %3</source>
        <translation>%1 — 次の予定: %2 %3</translation>
    </message>
</context>
<context>
    <name>ViewArea</name>
    <message>
        <source>Today · %1</source>
        <translation>今日 · %1</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>複数日</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>週</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Days timeline span — Ctrl+Shift+1..5 for 3 / 5 / 7 / 10 / 14 days</source>
        <translation>複数日表示の日数 — Ctrl+Shift+1..5 で 3 / 5 / 7 / 10 / 14 日</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n 日間</numerusform>
        </translation>
    </message>
    <message>
        <source>%1d</source>
        <translation>%1日</translation>
    </message>
    <message>
        <source>All Calendars</source>
        <translation>すべてのカレンダー</translation>
    </message>
    <message>
        <source>Add Calendar Group…</source>
        <translation>カレンダーグループを追加…</translation>
    </message>
    <message>
        <source>Edit Current Group…</source>
        <translation>現在のグループを編集…</translation>
    </message>
    <message>
        <source>Delete Current Group</source>
        <translation>現在のグループを削除</translation>
    </message>
    <message>
        <source>Delete group?</source>
        <translation>グループを削除しますか？</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can recreate it later.</source>
        <translation>「%1」を削除しますか？後で作り直すことができます。</translation>
    </message>
</context>
<context>
    <name>ViewEventActions</name>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
</context>
<context>
    <name>ViewFormDialog</name>
    <message>
        <source>Add Calendar Group</source>
        <translation>カレンダーグループを追加</translation>
    </message>
    <message>
        <source>Edit Calendar Group</source>
        <translation>カレンダーグループを編集</translation>
    </message>
    <message>
        <source>e.g. Work</source>
        <translation>例: 仕事</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <source>Colour:</source>
        <translation>色:</translation>
    </message>
    <message>
        <source>Calendars in this group (none ticked: every visible calendar):</source>
        <translation>このグループのカレンダー（何も選択しない場合: 表示中のすべてのカレンダー）:</translation>
    </message>
    <message>
        <source>Group Colour</source>
        <translation>グループの色</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>名前を入力してください。</translation>
    </message>
    <message>
        <source>The group could not be saved.</source>
        <translation>グループを保存できませんでした。</translation>
    </message>
    <message>
        <source>This group was removed meanwhile, so it cannot be saved.</source>
        <translation>このグループはその間に削除されたため、保存できません。</translation>
    </message>
</context>
<context>
    <name>VisibleEvents</name>
    <message>
        <source>(Untitled)</source>
        <translation>（無題）</translation>
    </message>
</context>
<context>
    <name>Weather::GeocodingClient</name>
    <message>
        <source>The place search failed. Check your connection and try again.</source>
        <translation>場所の検索に失敗しました。接続を確認して、もう一度お試しください。</translation>
    </message>
</context>
<context>
    <name>WeatherSettingsDialog</name>
    <message>
        <source>Weather</source>
        <translation>天気</translation>
    </message>
    <message>
        <source>Show the weather forecast in the calendar</source>
        <translation>カレンダーに天気予報を表示</translation>
    </message>
    <message>
        <source>Celsius (°C)</source>
        <translation>摂氏（°C）</translation>
    </message>
    <message>
        <source>Fahrenheit (°F)</source>
        <translation>華氏（°F）</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>温度:</translation>
    </message>
    <message>
        <source>No place chosen</source>
        <translation>場所が選択されていません</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>場所:</translation>
    </message>
    <message>
        <source>City or town</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>検索しています…</translation>
    </message>
    <message>
        <source>No place of that name was found.</source>
        <translation>その名前の場所は見つかりませんでした。</translation>
    </message>
    <message>
        <source>Search for a place and choose it to see its forecast.</source>
        <translation>場所を検索して選択すると、その天気予報が表示されます。</translation>
    </message>
</context>
<context>
    <name>Webcal::SyncClient</name>
    <message>
        <source>The calendar&apos;s feed address is not a web address.</source>
        <translation>カレンダーのフィードアドレスがウェブアドレスではありません。</translation>
    </message>
    <message>
        <source>The calendar feed is too large.</source>
        <translation>カレンダーフィードが大きすぎます。</translation>
    </message>
    <message>
        <source>The calendar feed did not answer in time.</source>
        <translation>カレンダーフィードが時間内に応答しませんでした。</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded (HTTP %1).</source>
        <translation>カレンダーフィードをダウンロードできませんでした（HTTP %1）。</translation>
    </message>
    <message>
        <source>The calendar feed could not be downloaded.</source>
        <translation>カレンダーフィードをダウンロードできませんでした。</translation>
    </message>
    <message>
        <source>The calendar feed is not an iCalendar file.</source>
        <translation>カレンダーフィードは iCalendar ファイルではありません。</translation>
    </message>
    <message>
        <source>The calendar feed could not be stored.</source>
        <translation>カレンダーフィードを保存できませんでした。</translation>
    </message>
</context>
<context>
    <name>WeekGridView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>フィルター「%1」を編集…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>予定からフィルターを作成…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>予定を削除しますか？</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>WeekGridWidget</name>
    <message numerus="yes">
        <source>+%n more</source>
        <translation>
            <numerusform>他 %n 件</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WeekTimelineWidget</name>
    <message>
        <source>%1 min</source>
        <translation>%1 分</translation>
    </message>
</context>
<context>
    <name>WeekView</name>
    <message>
        <source>Edit filter &quot;%1&quot;…</source>
        <translation>フィルター「%1」を編集…</translation>
    </message>
    <message>
        <source>Create Filter from Event…</source>
        <translation>予定からフィルターを作成…</translation>
    </message>
    <message>
        <source>Delete &quot;%1&quot;? You can undo with %2.</source>
        <translation>「%1」を削除しますか？%2 で元に戻せます。</translation>
    </message>
    <message>
        <source>Delete event?</source>
        <translation>予定を削除しますか？</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>編集…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>カレンダー</translation>
    </message>
    <message>
        <source>Moved &quot;%1&quot;</source>
        <translation>「%1」を移動しました</translation>
    </message>
    <message>
        <source>The event could not be moved.</source>
        <translation>予定を移動できませんでした。</translation>
    </message>
    <message>
        <source>Resized &quot;%1&quot;</source>
        <translation>「%1」の長さを変更しました</translation>
    </message>
    <message>
        <source>The event could not be resized.</source>
        <translation>予定の長さを変更できませんでした。</translation>
    </message>
</context>
<context>
    <name>WelcomeDialog</name>
    <message>
        <source>Welcome</source>
        <translation>ようこそ</translation>
    </message>
    <message>
        <source>Welcome to Calendar</source>
        <translation>カレンダーへようこそ</translation>
    </message>
    <message>
        <source>Your calendars, events and tasks in one place. Add an account to connect a CalDAV server or subscribe to a calendar feed, or get started with the calendar on this device.</source>
        <translation>カレンダー、予定、タスクを 1 か所で。アカウントを追加して CalDAV サーバーに接続するかカレンダーフィードを購読するか、このデバイスのカレンダーで始めましょう。</translation>
    </message>
    <message>
        <source>Get Started</source>
        <translation>はじめる</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>アカウントを追加…</translation>
    </message>
</context>
<context>
    <name>WinTrayPopover</name>
    <message>
        <source>Group</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>Add event — e.g. &quot;lunch Thursday 1pm&quot;</source>
        <translation>予定を追加 — 例: &quot;lunch Thursday 1pm&quot;</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>今すぐ同期</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>now</source>
        <translation>今</translation>
    </message>
    <message>
        <source>in %1 min</source>
        <translation>%1 分後</translation>
    </message>
    <message>
        <source>in %1h %2m</source>
        <translation>%1 時間 %2 分後</translation>
    </message>
    <message>
        <source>in %1h</source>
        <translation>%1 時間後</translation>
    </message>
    <message>
        <source>All-day</source>
        <translation>終日</translation>
    </message>
    <message>
        <source>No calendars yet</source>
        <translation>カレンダーはまだありません</translation>
    </message>
    <message>
        <source>No upcoming events</source>
        <translation>今後の予定はありません</translation>
    </message>
    <message>
        <source>Nothing scheduled in the next 24 hours.</source>
        <translation>今後 24 時間に予定はありません。</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>  No more events today</source>
        <translation>  今日の予定はこれ以上ありません</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>明日</translation>
    </message>
    <message>
        <source>  Nothing scheduled</source>
        <translation>  予定はありません</translation>
    </message>
    <message>
        <source>Today, all day</source>
        <translation>今日、終日</translation>
    </message>
    <message>
        <source>Tomorrow, all day</source>
        <translation>明日、終日</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>(Unnamed)</source>
        <translation>（名前なし）</translation>
    </message>
    <message>
        <source>Couldn&apos;t save event</source>
        <translation>予定を保存できませんでした</translation>
    </message>
</context>
</TS>
