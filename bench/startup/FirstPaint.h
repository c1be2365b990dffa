#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <time.h>

// Start-up probes: once the watched window has painted for the first time,
// print the wall clock (so the launcher can subtract the moment it started
// the process) and the resident memory, then quit.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget& window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            // Reported once this paint has been handled.
            QTimer::singleShot(0, [] { Report(); });
        }
        return false;
    }

private:
    static void Report() {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::printf("paint_ns=%lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmRSS:"))
                    std::printf("rss_kb=%s\n",
                                line.mid(6).trimmed().split(' ').first().constData());
            }
        }
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    bool seen_ = false;
};
