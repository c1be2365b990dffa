#include "about/frmAbout.h"

#include "FakeUpdateServer.h"
#include "VarnwickVersion.h"
#include "WindowTestState.h"
#include "settings/SettingsStore.h"

const QString Mail = QString::fromUtf8(VarnwickVersion::MailAddress);

// An update reply's version and link, whether it is newer and whether its link is taken.
struct Reply {
    const char *version, *target;
    bool newer, taken;
};
Q_DECLARE_METATYPE(Reply)

class tst_frmAbout : public QObject {
    Q_OBJECT
    QList<QUrl> opened; // by the desktop's browser or mail program
    FakeUpdateServer server;
    std::unique_ptr<WindowTestState> t;
    frmAbout* about = nullptr;

    QLabel* label(const char* name) const { return about->findChild<QLabel*>(name); }
    // Answers with the version, four other lines, the link and its caption.
    void check(const QByteArray& version, const QByteArray& target = {}) {
        server.replyWith("v=" + version + "\nb=\nc=\nd=\ne=\nf=" + target + "\ng=<b>Get</b>\n");
        QTest::mouseClick(about->findChild<QPushButton*>(), Qt::LeftButton);
    }

public slots:
    void open(const QUrl& url) { opened.append(url); }

private slots:
    void initTestCase() {
        for (const char* scheme : {"http", "https", "mailto", "file", "javascript"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    void init() {
        t = std::make_unique<WindowTestState>();
        SaveSetting(t->store, "Settings", "UpdateURL", server.address().toString());
        about = new frmAbout(t->store, t->state.updateBuffer, {});
        about->show();
        opened.clear();
    }

    // A newer version is added as a line, its web or mail link replaces the comments
    // link; a second, newer reply without a link keeps that link.
    void versionCheck_data() {
        QTest::addColumn<Reply>("reply");
        const char* web = "https://v.example/";
        // Versions compare as decimal numbers, whatever follows the number ignored.
        QTest::newRow("2.1 is newer") << Reply{"2.1", web, true, true};
        QTest::newRow("same, trailing zero") << Reply{"2.0170", web, false, false};
        QTest::newRow("older, not by parts") << Reply{"2.016.9", web, false, false};
        QTest::newRow("not a number") << Reply{"new", web, false, false};
        QTest::newRow("HTTP, CR") << Reply{"3", "HTTP://v.example/\r", true, true};
        QTest::newRow("mail") << Reply{"3", "mailto:me@v.example?subject=A B", true, true};
        QTest::newRow("file link") << Reply{"3", "file:///x", true, false};
        QTest::newRow("http without host") << Reply{"3", "http:///etc/passwd", true, false};
        QTest::newRow("mail without address") << Reply{"3", "mailto:", true, false};
        QTest::newRow("mail with body")
            << Reply{"3", "mailto:me@v.example?Body=hi&subject=s", true, true};
        QTest::newRow("mail attaching a file")
            << Reply{"3", "mailto:x@evil.example?attach=/etc/passwd&body=hi", true, false};
        QTest::newRow("mail, encoded parameter")
            << Reply{"3", "mailto:x@evil.example?%61ttach=/etc/passwd", true, false};
        QTest::newRow("web, user part")
            << Reply{"3", "http://good.example@evil.example/", true, false};
    }
    void versionCheck() {
        QFETCH(Reply, reply);
        check(reply.version, reply.target);
        check("4");
        const QString line = "\r\nNewest Version:", text = label("Label1")->text();
        QVERIFY2(text.endsWith("\r\nVersion: 2.017" + (reply.newer ? line + reply.version : "") +
                               line + "4"),
                 qPrintable(text));
        QCOMPARE(label("lblLink")->text(), reply.taken ? "<b>Get</b>" : "Comments: " + Mail);
        QCOMPARE(label("lblLink")->textFormat(), Qt::PlainText); // never markup
        QCOMPARE(label("Label1")->textFormat(), Qt::PlainText);
        QTest::mouseClick(label("lblLink"), Qt::LeftButton);
        const QString mail = "mailto:" + Mail + "?subject=Varnwick Comments";
        QCOMPARE(opened, QList<QUrl>{QUrl(reply.taken ? QString(reply.target).trimmed() : mail)});
    }

    // Blue under the pointer, navy over the window or button; the text: no part.
    void hoverColours() {
        QVERIFY(QTest::qWaitForWindowExposed(about));
        const auto colourOver = [this](const char* name) {
            const QWidget* over = about->findChild<QWidget*>(name);
            QTest::mouseMove(about->windowHandle(),
                             over ? over->geometry().center() : QPoint(5, about->height() - 5));
            return label("lblLink")->palette().color(QPalette::WindowText);
        };
        QCOMPARE(colourOver("lblLink"), QColor(Qt::blue));
        QCOMPARE(colourOver("Label1"), QColor(Qt::blue));
        QCOMPARE(colourOver("background"), QColor(Qt::darkBlue));
        QCOMPARE(colourOver("cmdVersion"), QColor(Qt::darkBlue));
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
