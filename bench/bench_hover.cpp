// Pointer movements arrive at every movement of the mouse: each must stay
// far under a millisecond, and decode a picture only when the item changes.

#include "formtestsupport.h"
#include "pictures.h"

#include <QPushButton>
#include <QTimer>

#include <utility>
#include <vector>

class BenchHover : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { ui::setUp(); }
    void gridMoveWithoutDecode();
    void checkBoxMoveSameBox();
    void checkBoxMoveNewBox();
    void radioMoveSameButton();
    void showPicture4();
    void decodeAtTwiceTheSize_data();
    void decodeAtTwiceTheSize();
    void diagramShown();
};

void BenchHover::gridMoveWithoutDecode()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::hoverCell(f, 1, 3);
    const int decoded = pictures::decodeCount();
    // Where each module cell lies, found once: the figure is the window's
    // handling of the move, as it was when the grid was one widget.
    std::vector<std::pair<QWidget *, QPoint>> cells;
    for (int row = 1; row <= 16; ++row)
        cells.push_back(ui::underGrid(f.channelGrid, ui::cellCentre(f.channelGrid, 1, row)));
    std::size_t next = 0;
    QBENCHMARK {
        ui::moveOver(cells[next].first, cells[next].second);
        next = (next + 1) % cells.size();
    }
    QCOMPARE(pictures::decodeCount(), decoded);
}

void BenchHover::checkBoxMoveSameBox()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::moveOver(f.accessoryBox(7));
    const int decoded = pictures::decodeCount();
    QBENCHMARK {
        ui::moveOver(f.accessoryBox(7), QPoint(20, 8));
    }
    QCOMPARE(pictures::decodeCount(), decoded);
}

void BenchHover::checkBoxMoveNewBox()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    bool first = true;
    const int decoded = pictures::decodeCount();
    int moves = 0;
    QBENCHMARK {
        ui::moveOver(first ? f.accessoryBox(7) : f.accessoryBox(8), QPoint(20, 8));
        first = !first;
        ++moves;
    }
    QCOMPARE(pictures::decodeCount(), decoded + moves);
}

void BenchHover::radioMoveSameButton()
{
    Forms forms(QStringLiteral("Czech"), true);
    MainControls &f = forms.f();
    ui::moveOver(f.tq8rButton);
    QBENCHMARK {
        ui::moveOver(f.tq8rButton, QPoint(30, 10));
    }
}

void BenchHover::showPicture4()
{
    Forms forms(QStringLiteral("Czech"));
    ItemPane *pane = forms.f().window.findChild<ItemPane *>();
    QBENCHMARK {
        pane->showPicture(4);
    }
}

// What a hover decodes on a screen above 100 %, whatever this one is: the
// picture at twice its size. 28 (the TQ8) is among the largest.
void BenchHover::decodeAtTwiceTheSize_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("picture 4") << 4;
    QTest::newRow("picture 28") << 28;
}

void BenchHover::decodeAtTwiceTheSize()
{
    QFETCH(int, number);
    QImage picture;
    QBENCHMARK {
        QVERIFY(pictures::load(number, &picture, 2).ok());
    }
    QCOMPARE(picture.devicePixelRatio(), 2.0);
}

void BenchHover::diagramShown()
{
    Forms forms(QStringLiteral("English"), true);
    MainControls &f = forms.f();
    QBENCHMARK {
        // The diagram window closes as soon as it has been shown and painted.
        QTimer::singleShot(0, forms.image.get(), [&] {
            forms.image->repaint();
            forms.image->reject();
        });
        f.diagramButton->click();
    }
}

QTEST_MAIN(BenchHover)
#include "bench_hover.moc"
