// The baseline for the start-up measurement: an empty window of the wizard's
// size in a program linked like varnwick.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(260, 245);
    const FirstPaint probe(window);
    window.show();
    return app.exec();
}
