#include "FakeUpdateServer.h"
#include "VarnwickVersion.h"
#include "services/frmAbout.h"
#include "settings/SettingsStore.h"
#include "shell/AppState.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QColor Navy(0, 0, 128);
const QColor BrightBlue(0, 0, 255);

QString MailAddress() {
    return QString::fromUtf8(VarnwickVersion::MailAddress);
}
QString MailLink() {
    return "mailto:" + MailAddress() + "?subject=Varnwick Comments";
}
QString MailCaption() {
    return "Comments: " + MailAddress();
}
QString LoadText() {
    return "Program Name:Varnwick Pro -Wizard\r\nCompany: Orrenby\r\nWebSite: " +
           QString::fromUtf8(VarnwickVersion::WebSite) + "\r\nVersion: 2.017";
}

// Seven reply lines with the given newest version, link and caption.
QByteArray Reply(const QByteArray& version, const QByteArray& link = {},
                 const QByteArray& caption = {}) {
    return "Version=" + version + "\nb=\nc=\nd=\ne=\nLink=" + link + "\nText=" + caption + "\n";
}

QColor LinkColour(const QLabel& link) {
    return link.palette().color(QPalette::WindowText);
}
} // namespace

// Stands in for the desktop's browser and mail program.
class LinkRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class tst_frmAbout : public QObject {
    Q_OBJECT

private slots:
    void initMain() { QStandardPaths::setTestModeEnabled(true); }
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void load();
    void versionCheck_data();
    void versionCheck();
    void eachNewerReplyAppendsALine();
    void defaultLinkOpensTheMail();
    void hoverColours_data();
    void hoverColours();
    void closingDiscardsTheWindow();

private:
    void useAddress(const QUrl& address);
    QLabel* label(const char* name) const { return about->findChild<QLabel*>(name); }
    QPushButton* button() const { return about->findChild<QPushButton*>("cmdVersion"); }
    void clickLink() { QTest::mouseClick(label("lblLink"), Qt::LeftButton); }

    LinkRecorder recorder;
    QTemporaryDir folder;
    std::unique_ptr<QSettings> store;
    std::unique_ptr<FakeUpdateServer> server;
    AppState state;
    QPointer<frmAbout> about;
};

void tst_frmAbout::initTestCase() {
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    qunsetenv("all_proxy");
    // "file" too: a link that slipped through would be caught here instead
    // of reaching the desktop.
    for (const char* scheme : {"http", "https", "mailto", "file"})
        QDesktopServices::setUrlHandler(scheme, &recorder, "open");
}

void tst_frmAbout::cleanupTestCase() {
    for (const char* scheme : {"http", "https", "mailto", "file"})
        QDesktopServices::unsetUrlHandler(scheme);
}

void tst_frmAbout::init() {
    store = std::make_unique<QSettings>(folder.filePath("Varnwick.ini"), QSettings::IniFormat);
    store->clear();
    state.store = store.get();
    server = std::make_unique<FakeUpdateServer>();
    useAddress(server->address());
    recorder.opened.clear();
    about = new frmAbout(state);
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
}

void tst_frmAbout::cleanup() {
    delete about.data();
}

void tst_frmAbout::useAddress(const QUrl& address) {
    SaveSetting(*store, "Settings", "UpdateURL", address.toString());
}

void tst_frmAbout::load() {
    QCOMPARE(about->windowTitle(), QStringLiteral("About"));
    QCOMPARE(about->minimumSize(), QSize(311, 118));
    QCOMPARE(about->maximumSize(), QSize(311, 118));
    QCOMPARE(button()->text(), QStringLiteral("Check For New Version"));
    QCOMPARE(label("Label1")->text(), LoadText());
    QCOMPARE(label("lblLink")->text(), MailCaption());
    QCOMPARE(LinkColour(*label("lblLink")), Navy);
    QVERIFY(label("lblLink")->font().bold());
    QCOMPARE(about->linkTarget(), MailLink());
}

void tst_frmAbout::versionCheck_data() {
    QTest::addColumn<QByteArray>("reply"); // empty: nothing listens
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("appended");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("target");

    const QString mail = MailLink();
    const QString comments = MailCaption();
    QTest::newRow("2.1 without link")
        << Reply("2.1") << 200 << "\r\nNewest Version:2.1" << comments << mail;
    QTest::newRow("3 with link") << Reply("3", "https://varnwick.example/get", "Get it") << 200
                                 << "\r\nNewest Version:3"
                                 << "Get it"
                                 << "https://varnwick.example/get";
    QTest::newRow("CR LF reply")
        << QByteArray("v=2.5\r\nb=\r\nc=\r\nd=\r\ne=\r\nf=http://varnwick.example/\r\ng=New\r\n")
        << 200 << "\r\nNewest Version:2.5\r"
        << "New\r"
        << "http://varnwick.example/\r";
    QTest::newRow("same version") << Reply("2.017", "http://varnwick.example/") << 200 << ""
                                  << comments << mail;
    QTest::newRow("older") << Reply("1.9", "http://varnwick.example/", "Old") << 200 << ""
                           << comments << mail;
    QTest::newRow("unreachable") << QByteArray() << 200 << "" << comments << mail;
    QTest::newRow("error page") << Reply("3", "http://varnwick.example/", "Err") << 500 << ""
                                << comments << mail;
    QTest::newRow("file link refused") << Reply("3", "file:///etc/passwd", "Evil") << 200
                                       << "\r\nNewest Version:3" << comments << mail;
    QTest::newRow("markup caption stays text")
        << Reply("3", "http://varnwick.example/", "<b>Bold</b>") << 200 << "\r\nNewest Version:3"
        << "<b>Bold</b>"
        << "http://varnwick.example/";
}

void tst_frmAbout::versionCheck() {
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, appended);
    QFETCH(QString, caption);
    QFETCH(QString, target);

    if (reply.isEmpty())
        useAddress(FakeUpdateServer::ClosedAddress());
    server->replyWith(reply, status);
    QTest::mouseClick(button(), Qt::LeftButton);

    QCOMPARE(label("Label1")->text(), LoadText() + appended);
    QCOMPARE(label("lblLink")->text(), caption);
    QCOMPARE(label("lblLink")->textFormat(), Qt::PlainText);
    QCOMPARE(about->linkTarget(), target);
    clickLink();
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl(target.trimmed())});
}

void tst_frmAbout::eachNewerReplyAppendsALine() {
    server->replyWith(Reply("2.5", "http://varnwick.example/a", "First"));
    QTest::mouseClick(button(), Qt::LeftButton);
    server->replyWith(Reply("2.6"));
    QTest::mouseClick(button(), Qt::LeftButton);

    QCOMPARE(server->requests().size(), 2);
    QCOMPARE(label("Label1")->text(), LoadText() + "\r\nNewest Version:2.5\r\nNewest Version:2.6");
    // The second reply names no link: the first one's stays.
    QCOMPARE(label("lblLink")->text(), QStringLiteral("First"));
    QCOMPARE(about->linkTarget(), QStringLiteral("http://varnwick.example/a"));
}

void tst_frmAbout::defaultLinkOpensTheMail() {
    clickLink();
    QCOMPARE(recorder.opened.size(), 1);
    const QUrl opened = recorder.opened.first();
    QCOMPARE(opened.scheme(), QStringLiteral("mailto"));
    QCOMPARE(opened.path(), MailAddress());
    QCOMPARE(opened.query(QUrl::FullyDecoded), QStringLiteral("subject=Varnwick Comments"));
}

void tst_frmAbout::hoverColours_data() {
    QTest::addColumn<QStringList>("path"); // objectNames; "" is the window's background
    QTest::addColumn<QColor>("colour");

    QTest::newRow("onto the link") << QStringList{"lblLink"} << BrightBlue;
    QTest::newRow("back over the background") << QStringList{"lblLink", ""} << Navy;
    QTest::newRow("back over the button") << QStringList{"lblLink", "cmdVersion"} << Navy;
    QTest::newRow("the information text does not react")
        << QStringList{"lblLink", "Label1"} << BrightBlue;
    QTest::newRow("onto the link again")
        << QStringList{"lblLink", "cmdVersion", "lblLink"} << BrightBlue;
}

void tst_frmAbout::hoverColours() {
    QFETCH(QStringList, path);
    QFETCH(QColor, colour);

    // Moves arrive at the window, which hands them to the control under the pointer.
    for (const QString& name : path) {
        const QWidget* over = name.isEmpty() ? nullptr : about->findChild<QWidget*>(name);
        // The background: below the link, left of it.
        const QPoint at = over ? over->mapTo(about.data(), over->rect().center())
                               : QPoint(5, about->height() - 5);
        QTest::mouseMove(about->windowHandle(), at);
    }
    QCOMPARE(LinkColour(*label("lblLink")), colour);
}

void tst_frmAbout::closingDiscardsTheWindow() {
    about->close();
    QTRY_VERIFY(about.isNull());
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
