#pragma once

// Shared fixtures for the window tests: the three windows built as at
// start-up, a desktop that records instead of opening, message boxes that
// answer themselves, and events delivered as the window system delivers them.

#include "application.h"
#include "desktop.h"
#include "dialogs.h"
#include "imageform.h"
#include "kontaktform.h"
#include "mainform.h"
#include "stringgrid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <memory>

class FakeDesktop : public platform::Desktop {
public:
    QString language = QStringLiteral("English");
    bool openResult = true;
    QStringList opened;
    QList<QUrl> urls;
    bool throwOnUrl = false;

    QString languageName() const override { return language; }
    // Answers at once, or only when told to (answerLater) with answer().
    bool answerLater = false;
    OpenedCallback pending;
    void openDocument(const QString &path, int, OpenedCallback done) override
    {
        opened << path;
        if (answerLater)
            pending = std::move(done);
        else
            done(openResult);
    }
    void answer(bool cameUp) { std::exchange(pending, nullptr)(cameUp); }
    void openUrl(const QUrl &url) override
    {
        urls << url;
        if (throwOnUrl)
            throw std::runtime_error("no browser");
    }
};

// Records every message box and answers it.
class BoxAnswers {
public:
    QList<dialogs::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    BoxAnswers()
    {
        dialogs::setResponder([this](const dialogs::Request &request) {
            asked << request;
            return answer;
        });
    }
    ~BoxAnswers() { dialogs::setResponder({}); }
    BoxAnswers(const BoxAnswers &) = delete;
    BoxAnswers &operator=(const BoxAnswers &) = delete;

    QStringList texts() const
    {
        QStringList result;
        for (const auto &r : asked)
            result << r.text;
        return result;
    }
};

struct Forms {
    FakeDesktop *desktop = nullptr;
    std::unique_ptr<TMainForm> main;
    std::unique_ptr<TKontaktForm> kontakt;
    std::unique_ptr<TImageForm> image;

    explicit Forms(const QString &language = QStringLiteral("English"), bool show = false)
    {
        auto fake = std::make_unique<FakeDesktop>();
        fake->language = language;
        desktop = fake.get();
        platform::setDesktop(std::move(fake));
        main = std::make_unique<TMainForm>();
        TMainForm *form = main.get();
        kontakt = std::make_unique<TKontaktForm>(
            [form] { return form->currentLanguage() == catalogue::Language::Czech; }, form);
        image = std::make_unique<TImageForm>(form);
        main->setForms(kontakt.get(), image.get());
        if (show) {
            main->show();
            main->activateWindow();
            QVERIFY(QTest::qWaitForWindowExposed(main.get()));
        }
    }
    ~Forms()
    {
        image.reset();
        kontakt.reset();
        main.reset();
        platform::setDesktop(nullptr);
    }
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    TMainForm &f() { return *main; }
};

namespace ui {

inline void setUp()
{
    application::setUpFonts();
    application::setUpNames();
}

// A pointer movement over `widget`, delivered as the window system does.
inline void moveOver(QWidget *widget, QPoint pos = QPoint(3, 3))
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QSpontaneKeyEvent::setSpontaneous(&move);
    qApp->notify(widget, &move);
}

// One wheel event of `delta` units (120 = one notch; negative = down).
inline bool wheel(QWidget *widget, int delta, QPoint pos = QPoint(3, 3))
{
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    return qApp->notify(widget, &event);
}

// Widget position of the centre of a grid cell.
inline QPoint cellCentre(StringGrid *grid, int column, int row)
{
    return StringGrid::fromClient(grid->cellRect(column, row).center());
}

inline void hoverCell(TMainForm &f, int column, int row)
{
    moveOver(f.StringGrid1, cellCentre(f.StringGrid1, column, row));
}

inline void clickCell(TMainForm &f, int column, int row)
{
    QTest::mouseClick(f.StringGrid1, Qt::LeftButton, {}, cellCentre(f.StringGrid1, column, row));
}

inline bool pickerOpen(TMainForm &f)
{
    return f.ComboBox1->isVisible() && f.ComboBox1->view()->isVisible();
}

// Chooses picker item `index` in the open list with the keyboard.
inline void choose(TMainForm &f, int index)
{
    QAbstractItemView *view = f.ComboBox1->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

// Closes an open list with Esc, as a user does, and waits until the window
// system has handed the activation back to the main window.
inline void closeList(TMainForm &f, QComboBox *list)
{
    if (list->view()->isVisible())
        QTest::keyClick(list->view(), Qt::Key_Escape);
    QTRY_VERIFY(!list->view()->isVisible());
    f.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&f));
}

// Clicks a check box or radio button as a user does.
inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Assigns a module to a channel through the picker.
inline void assign(TMainForm &f, int row, int index)
{
    clickCell(f, 1, row);
    QVERIFY(pickerOpen(f));
    choose(f, index);
}

} // namespace ui
