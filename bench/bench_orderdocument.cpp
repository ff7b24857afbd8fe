// The order document: filling the Czech order form (every accessory ticked,
// sixteen channels with notes), and drawing its PDF from the filled RTF.

#include "orderdocument.h"
#include "orderpdf.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <cstdio>

using namespace document;

namespace {

QByteArray fullCzechOrder()
{
    const catalogue::Language language = catalogue::Language::Czech;
    Order order;
    order.model = catalogue::Model::TQ8R;
    const Contact contact{"Měřicí technika Šumava s.r.o.", "Žižkova 12, České Budějovice", "Ing. Jiří Dvořák",
        "+420 387 123 456", "jiri.dvorak@example.cz"};
    for (int channel = 1; channel <= Order::ChannelCount; ++channel)
        order.channel(channel) = {1 + (channel - 1) * 3, QStringLiteral("čidlo %1, kotelna {sever}").arg(channel)};
    for (Order::Accessory &accessory : order.accessories)
        accessory.ticked = true;
    order.accessory(catalogue::AdapterTag).variant = 2;
    order.accessory(catalogue::CableTag).variant = 1;
    return fill(templateFor(language), order, language, contact);
}

double pdfMilliseconds(const QByteArray &rtf)
{
    QElapsedTimer timer;
    timer.start();
    const QByteArray pdf = orderpdf::render(rtf, QStringLiteral("bench")).pdf;
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (!pdf.startsWith("%PDF"))
        qFatal("no PDF");
    return ms;
}

} // namespace

class OrderDocumentBench : public QObject {
    Q_OBJECT

private slots:
    void fillCzechFullOrder();
    void pdfFromTheFilledDocument();
};

void OrderDocumentBench::fillCzechFullOrder()
{
    QByteArray document;
    QBENCHMARK {
        document = fullCzechOrder();
    }
    QVERIFY(!document.contains("$_"));
}

// The PDF of the full order, from the RTF bytes to the PDF bytes: the first
// one in a fresh process (fonts not yet loaded), then the median and the
// 99th percentile of the runs after the first.
void OrderDocumentBench::pdfFromTheFilledDocument()
{
    const QByteArray rtf = fullCzechOrder();
    QProcess fresh;
    fresh.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--first-pdf")});
    QVERIFY(fresh.waitForFinished(60000));
    const double first = fresh.readAllStandardOutput().trimmed().toDouble();
    QVERIFY(first > 0);

    pdfMilliseconds(rtf);
    QList<double> runs;
    for (int i = 0; i < 200; ++i)
        runs << pdfMilliseconds(rtf);
    std::sort(runs.begin(), runs.end());
    const double median = runs.at(runs.size() / 2);
    const double p99 = runs.at((runs.size() * 99 + 99) / 100 - 1);
    std::printf("PDF from the filled document: first in a fresh process %.2f ms; after it, over %d runs: "
                "median %.2f ms, 99th percentile %.2f ms\n",
        first, int(runs.size()), median, p99);
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--first-pdf") == 0) {
        std::printf("%.3f\n", pdfMilliseconds(fullCzechOrder()));
        return 0;
    }
    OrderDocumentBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_orderdocument.moc"
