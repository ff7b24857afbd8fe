// Start-up of the order form against a bare Qt window of the same size,
// each in a fresh process, alternating so that all see the same machine:
// from entering main() to the first painted frame, and the whole process
// (start, first frame, exit) with its peak memory.

#include "formtestsupport.h"
#include "procstatus.h"

#include <QElapsedTimer>
#include <QFile>
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

// One start: prints the milliseconds to the first frame and the peak memory.
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
    std::unique_ptr<QWidget> plain;
    QWidget *window = nullptr;
    std::unique_ptr<MainWindow> main;
    if (form) {
        // As the program starts: the main window alone; the dialogs come
        // when they are first needed.
        main = std::make_unique<MainWindow>();
        window = main.get();
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
    std::printf("%.3f %ld\n", double(timer.nsecsElapsed()) / 1e6, procStatusKb("VmHWM"));
    return watch.painted ? 0 : 1;
}

struct Run {
    double firstFrameMs = 0; // inside the process, from main() to the first frame
    double wholeMs = 0;      // the whole process: start, first frame, exit
    double peakKb = 0;
};

Run runChild(const QString &self, const QString &mode)
{
    QElapsedTimer whole;
    whole.start();
    QProcess child;
    child.start(self, {mode});
    child.waitForFinished(30000);
    Run run;
    run.wholeMs = double(whole.nsecsElapsed()) / 1e6;
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    run.firstFrameMs = figures.value(0).toDouble();
    run.peakKb = figures.value(1).toDouble();
    return run;
}

double median(const std::vector<Run> &runs, double Run::*figure)
{
    std::vector<double> values;
    for (const Run &run : runs)
        values.push_back(run.*figure);
    std::sort(values.begin(), values.end());
    return values.size() % 2 ? values[values.size() / 2]
                             : (values[values.size() / 2 - 1] + values[values.size() / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        return measureOnce(argc, argv, QByteArray(argv[1]));

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const int pairs = 20;
    std::vector<Run> bare, text, form;
    for (int i = 0; i < pairs; ++i) {
        bare.push_back(runChild(self, QStringLiteral("bare")));
        text.push_back(runChild(self, QStringLiteral("text")));
        form.push_back(runChild(self, QStringLiteral("form")));
    }
    const double b = median(bare, &Run::firstFrameMs), t = median(text, &Run::firstFrameMs),
                 f = median(form, &Run::firstFrameMs);
    std::printf("start-up to first frame, median of %d fresh processes:\n"
                "  bare window %.1f ms, bare window with one label %.1f ms, order form %.1f ms\n"
                "  ratio to the bare window %.2f, to the bare window with a label %.2f\n",
        pairs, b, t, f, f / b, f / t);
    const double tw = median(text, &Run::wholeMs), fw = median(form, &Run::wholeMs);
    const double tm = median(text, &Run::peakKb), fm = median(form, &Run::peakKb);
    std::printf("whole processes (start, first frame, exit), %d alternating runs:\n"
                "  bare window with one label %.1f ms and %.0f kB peak, order form %.1f ms and %.0f kB peak\n"
                "  whole-process ratio: wall %.2f, peak memory %.2f\n",
        pairs, tw, tm, fw, fm, fw / tw, fm / tm);
    return 0;
}
