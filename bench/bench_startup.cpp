// Start-up of the order form against a bare Qt window of the same size:
// each measured in a fresh process, from entering main() to the first
// painted frame, alternating the two so that both see the same machine.

#include "formtestsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class FirstPaint : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// One start: prints the milliseconds to the first frame.
// mode: "bare" (an empty window), "text" (the same with one line of text,
// which loads the font database as any window with text must) or "form".
int measureOnce(int argc, char **argv, const QByteArray &mode)
{
    QElapsedTimer timer;
    timer.start();
    const bool form = mode == "form";
    if (form)
        ui::setUp();
    QApplication app(argc, argv);
    std::unique_ptr<Forms> forms;
    std::unique_ptr<QWidget> plain;
    QWidget *window = nullptr;
    if (form) {
        forms = std::make_unique<Forms>(QStringLiteral("Czech"));
        window = forms->main.get();
    } else {
        plain = std::make_unique<QWidget>();
        plain->setFixedSize(830, 605);
        if (mode == "text")
            new QLabel(QStringLiteral("Objednací formulář"), plain.get());
        window = plain.get();
    }
    FirstPaint watch;
    window->installEventFilter(&watch);
    window->show();
    while (!watch.painted && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("%.3f\n", double(timer.nsecsElapsed()) / 1e6);
    return watch.painted ? 0 : 1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double runChild(const QString &self, const QString &mode)
{
    QProcess child;
    child.start(self, {mode});
    child.waitForFinished(30000);
    return child.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        return measureOnce(argc, argv, QByteArray(argv[1]));

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const int runs = 15;
    std::vector<double> bare, text, form;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(runChild(self, QStringLiteral("bare")));
        text.push_back(runChild(self, QStringLiteral("text")));
        form.push_back(runChild(self, QStringLiteral("form")));
    }
    const double b = median(bare), t = median(text), f = median(form);
    std::printf("start-up to first frame, median of %d fresh processes:\n"
                "  bare window %.1f ms, bare window with one label %.1f ms, order form %.1f ms\n"
                "  ratio to the bare window %.2f, to the bare window with a label %.2f\n",
        runs, b, t, f, f / b, f / t);
    return 0;
}
