#include "services/frmAbout.h"

#include "FakeUpdateServer.h"
#include "VarnwickVersion.h"
#include "WindowTestState.h"
#include "settings/SettingsStore.h"

namespace {

const QString Comments = "Comments: " + QString::fromUtf8(VarnwickVersion::MailAddress);
const QString LoadText = "Program Name:Varnwick Pro -Wizard\r\nCompany: Orrenby\r\nWebSite: " +
                         QString::fromUtf8(VarnwickVersion::WebSite) + "\r\nVersion: 2.017";

// The window on screen, asking an update server of its own.
struct Shown {
    WindowTestState t;
    FakeUpdateServer server;
    frmAbout* about = new frmAbout(t.state);
    QLabel* text = about->findChild<QLabel*>("Label1");
    QLabel* link = about->findChild<QLabel*>("lblLink");
    Shown() {
        SaveSetting(t.store, "Settings", "UpdateURL", server.address().toString());
        about->show();
    }
    // Answers the next check with version, four other lines, link and caption.
    void check(const QByteArray& version, const QByteArray& target = {}) {
        server.replyWith("v=" + version + "\nb=\nc=\nd=\ne=\nf=" + target + "\ng=<b>Get</b>\n");
        QTest::mouseClick(about->findChild<QPushButton*>("cmdVersion"), Qt::LeftButton);
    }
};

} // namespace

class tst_frmAbout : public QObject {
    Q_OBJECT
    QList<QUrl> opened;

public slots:
    // Stands in for the desktop's browser and mail program.
    void open(const QUrl& url) { opened.append(url); }

private slots:
    void initTestCase() {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy"})
            qunsetenv(name);
        // Unsafe schemes too: a link that slipped through is caught here.
        for (const char* scheme : {"http", "https", "mailto", "file", "javascript"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }

    // Each check is followed by a newer one that names no link.
    void versionCheck_data() {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<QByteArray>("target"); // the link the server announces
        QTest::addColumn<bool>("newer");
        QTest::addColumn<bool>("taken"); // in place of the comments link
        const QByteArray web = "https://v.example/";
        QTest::newRow("newer, link") << QByteArray("3") << web << true << true;
        QTest::newRow("newer, none") << QByteArray("2.1") << QByteArray() << true << false;
        QTest::newRow("same") << QByteArray("2.017") << web << false << false;
        QTest::newRow("older") << QByteArray("1.9") << web << false << false;
        QTest::newRow("file") << QByteArray("3") << QByteArray("file:///etc/passwd") << true
                              << false;
        QTest::newRow("script") << QByteArray("3") << QByteArray("javascript:1") << true << false;
    }
    void versionCheck() {
        QFETCH(QByteArray, version);
        QFETCH(QByteArray, target);
        QFETCH(bool, newer);
        QFETCH(bool, taken);
        Shown s;
        s.check(version, target);
        s.check("4");
        QCOMPARE(s.server.requests().size(), 2);
        const QString line = "\r\nNewest Version:";
        QCOMPARE(s.text->text(), LoadText + (newer ? line + version : "") + line + "4");
        // The server's caption is shown as it is, never read as markup.
        QCOMPARE(s.link->text(), taken ? "<b>Get</b>" : Comments);
        QCOMPARE(s.link->textFormat(), Qt::PlainText);
        opened.clear();
        QTest::mouseClick(s.link, Qt::LeftButton);
        const QString mail = "mailto:" + Comments.mid(10) + "?subject=Varnwick Comments";
        QCOMPARE(opened, QList<QUrl>{QUrl(taken ? QString(target) : mail)});
    }

    void hoverColours_data() {
        QTest::addColumn<QStringList>("path"); // controls moved over, else the background
        QTest::addColumn<QColor>("colour");
        QTest::newRow("untouched") << QStringList{} << QColor(Qt::darkBlue);
        QTest::newRow("onto the link") << QStringList{"lblLink"} << QColor(Qt::blue);
        QTest::newRow("to the background") << QStringList{"lblLink", "-"} << QColor(Qt::darkBlue);
        QTest::newRow("to the button")
            << QStringList{"lblLink", "cmdVersion"} << QColor(Qt::darkBlue);
        QTest::newRow("to the text") << QStringList{"lblLink", "Label1"} << QColor(Qt::blue);
    }
    void hoverColours() {
        QFETCH(QStringList, path);
        QFETCH(QColor, colour);
        Shown s;
        QVERIFY(QTest::qWaitForWindowExposed(s.about));
        // Moves arrive at the window, which hands them to the control under
        // the pointer; the background is below the link, left of it.
        for (const QString& name : path) {
            const QWidget* over = s.about->findChild<QWidget*>(name);
            QTest::mouseMove(s.about->windowHandle(),
                             over ? over->mapTo(s.about, over->rect().center())
                                  : QPoint(5, s.about->height() - 5));
        }
        QCOMPARE(s.link->palette().color(QPalette::WindowText), colour);
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
