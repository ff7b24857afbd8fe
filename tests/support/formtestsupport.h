#pragma once

// Shared fixtures for the window tests: the three windows built as at
// start-up, a desktop that records instead of opening, message boxes that
// answer themselves, and events delivered as the window system delivers them.

#include "application.h"
#include "channelgrid.h"
#include "contactdialog.h"
#include "controlnames.h"
#include "desktop.h"
#include "diagramwindow.h"
#include "dialogs.h"
#include "glyphbutton.h"
#include "itempane.h"
#include "mainwindow.h"
#include "picturebox.h"
#include "privateconfig.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <memory>
#include <string>
#include <utility>

class FakeDesktop : public platform::Desktop {
public:
    QString language = QStringLiteral("English");
    bool openResult = true;
    QStringList opened;         // the first document of each request
    QList<QStringList> offered; // every request's documents, in order
    QList<QUrl> urls;
    bool browserMissing = false; // the addresses then go to failedUrls as well
    QList<QUrl> failedUrls;

    QString languageName() const override { return language; }
    // Answers at once, or only when told to (answerLater) with answer().
    bool answerLater = false;
    OpenedCallback pending;
    void openDocument(const QStringList &documents, int, OpenedCallback done) override
    {
        opened << documents.first();
        offered << documents;
        if (answerLater)
            pending = std::move(done);
        else
            done(openResult);
    }
    void answer(bool cameUp) { std::exchange(pending, nullptr)(cameUp); }
    void openUrl(const QUrl &url) override
    {
        urls << url;
        if (browserMissing)
            failedUrls << url;
    }
};

// Records every message box and answers it; `onAsk` runs first, if set.
class BoxAnswers {
public:
    QList<dialogs::Request> asked;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    std::function<void()> onAsk;

    BoxAnswers()
    {
        dialogs::setResponder([this](const dialogs::Request &request) {
            if (onAsk)
                onAsk();
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

// The main window's controls, found as automation and screen readers find
// them: by their object names (controlnames.h), the names the form was
// designed with; the tests know them by their roles.
struct MainControls {
    explicit MainControls(MainWindow &w)
        : window(w)
    {
        find(leftPanel, controlnames::LeftPanel), find(modelGroup, controlnames::ModelGroup),
            find(tq8Button, controlnames::Tq8Button);
        find(tq8rButton, controlnames::Tq8rButton), find(assemblyButton, controlnames::AssemblyButton),
            find(channelGrid, controlnames::ChannelGrid);
        find(picturePanel, controlnames::PicturePanel), find(picture, controlnames::Picture),
            find(languageGroup, controlnames::LanguageGroup);
        find(languageButton, controlnames::LanguageButton), find(priceGroup, controlnames::PriceGroup),
            find(itemPriceCaption, controlnames::ItemPriceCaption);
        find(orderCodeCaption, controlnames::OrderCodeCaption), find(totalCaption, controlnames::TotalCaption),
            find(totalLabel, controlnames::TotalLabel), find(orderCodeLabel, controlnames::OrderCodeLabel);
        find(itemPriceLabel, controlnames::ItemPriceLabel), find(buttonPanel, controlnames::ButtonPanel),
            find(resetButton, controlnames::ResetButton), find(documentButton, controlnames::DocumentButton);
        find(diagramButton, controlnames::DiagramButton), find(logo, controlnames::Logo),
            find(versionLabel, controlnames::VersionLabel), find(scrollBar, controlnames::ScrollBar);
        find(accessoryGroup, controlnames::AccessoryGroup), find(textMeasure, controlnames::TextMeasure),
            find(adapterList,
                controlnames::variantList(catalogue::accessory(catalogue::AdapterTag).list.control).toStdString());
        find(
            cableList, controlnames::variantList(catalogue::accessory(catalogue::CableTag).list.control).toStdString());
        for (int i = 0; i < 9; ++i)
            find(sectionHeadings[std::size_t(i)], controlnames::sectionHeading(i + 1).toStdString());
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            find(accessoryBoxes[std::size_t(tag - 1)], controlnames::accessoryBox(tag).toStdString());
    }

    MainWindow &window;
    QFrame *leftPanel = nullptr, *picturePanel = nullptr, *buttonPanel = nullptr;
    QGroupBox *modelGroup = nullptr, *accessoryGroup = nullptr, *languageGroup = nullptr, *priceGroup = nullptr;
    QRadioButton *tq8Button = nullptr, *tq8rButton = nullptr, *assemblyButton = nullptr;
    ChannelGrid *channelGrid = nullptr;
    QComboBox *adapterList = nullptr, *cableList = nullptr;
    PictureBox *picture = nullptr, *logo = nullptr;
    GlyphButton *languageButton = nullptr;
    QLabel *itemPriceCaption = nullptr, *orderCodeCaption = nullptr, *totalCaption = nullptr, *totalLabel = nullptr,
           *orderCodeLabel = nullptr, *itemPriceLabel = nullptr, *versionLabel = nullptr, *textMeasure = nullptr;
    QPushButton *resetButton = nullptr, *documentButton = nullptr, *diagramButton = nullptr;
    QScrollBar *scrollBar = nullptr;
    std::array<QLabel *, 9> sectionHeadings{};
    std::array<QCheckBox *, catalogue::AccessoryCount> accessoryBoxes{};

    QCheckBox *accessoryBox(int tag) const { return accessoryBoxes[std::size_t(tag - 1)]; }
    // The shown module picker, else null: the grid makes one for each choice.
    QComboBox *modulePicker() const
    {
        for (QComboBox *picker : channelGrid->findChildren<QComboBox *>(QLatin1String(controlnames::ModulePicker)))
            if (picker->isVisible())
                return picker;
        return nullptr;
    }
    OrderModel &order() const { return window.order(); }
    catalogue::Language currentLanguage() const { return order().language(); }
    bool anyModelSelected() const { return order().model() != catalogue::Model::None; }
    const MainWindow::HoverState &hover() const { return window.hoverState(); }

private:
    template <typename T> void find(T *&control, const std::string &name)
    {
        control = window.findChild<T *>(QString::fromStdString(name));
        if (!control)
            qFatal("no control named %s", name.c_str());
    }
};

// The contact dialog's controls, by their object names.
struct ContactControls {
    explicit ContactControls(ContactDialog &d)
        : dialog(d)
    {
        for (int i = 0; i < 5; ++i) {
            groups[std::size_t(i)] = dialog.findChild<QGroupBox *>(controlnames::contactGroup(i + 1));
            edits[std::size_t(i)] = dialog.findChild<QLineEdit *>(controlnames::contactEdit(i + 1));
            if (!groups[std::size_t(i)] || !edits[std::size_t(i)])
                qFatal("contact dialog control %d missing", i + 1);
        }
        continueButton = dialog.findChild<QPushButton *>(QString::fromLatin1(controlnames::ContinueButton));
        if (!continueButton)
            qFatal("no continueButton");
    }

    ContactDialog &dialog;
    std::array<QGroupBox *, 5> groups{};
    std::array<QLineEdit *, 5> edits{};
    QPushButton *continueButton = nullptr;
};

struct Forms {
    FakeDesktop *desktop = nullptr;
    std::unique_ptr<MainWindow> main;
    QPointer<ContactDialog> kontakt; // the window's
    QPointer<DiagramWindow> image;   // the window's

    explicit Forms(const QString &language = QStringLiteral("English"), bool show = false)
    {
        auto fake = std::make_unique<FakeDesktop>();
        fake->language = language;
        desktop = fake.get();
        platform::setDesktop(std::move(fake));
        main = std::make_unique<MainWindow>();
        MainWindow *form = main.get();
        // The window's own dialogs, built as the window builds them.
        kontakt = form->contactDialog();
        image = form->diagramWindow();
        controls = std::make_unique<MainControls>(*main);
        if (show) {
            main->show();
            main->activateWindow();
            QVERIFY(QTest::qWaitForWindowExposed(main.get()));
        }
    }
    ~Forms()
    {
        controls.reset();
        main.reset();
        platform::setDesktop(nullptr);
    }
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    MainControls &f() { return *controls; }
    std::unique_ptr<MainControls> controls;
};

namespace ui {

// The window draws the document's PDF on a thread of its own, with the
// hourglass showing, and asks the opener when it is done: this waits for
// that (at once when no document is on its way).
inline void waitForDocument(Forms &forms)
{
    QTRY_VERIFY_WITH_TIMEOUT(forms.main->cursor().shape() != Qt::WaitCursor || forms.desktop->pending, 20000);
}

inline void setUp()
{
    application::setUpFonts();
    application::setUpNames();
}

// A pointer movement over `widget`, delivered as the window system does.
inline void moveOver(QWidget *widget, QPoint pos = QPoint(3, 3))
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QSpontaneKeyEvent::setSpontaneous(&move);
    qApp->notify(widget, &move);
}

// One wheel event of `delta` units (120 = one notch; negative = down).
inline bool wheel(QWidget *widget, int delta, QPoint pos = QPoint(3, 3))
{
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    return qApp->notify(widget, &event);
}

// The grid's cells as the user sees them: row 0 holds the headings, rows 1
// to 16 the channels; columns 0 to 2 the number, the module and the note.
inline QString cell(QTableView *grid, int column, int row)
{
    if (row == 0)
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    return grid->model()->index(row - 1, column).data().toString();
}

// A cell without its lines, in the grid's coordinates.
inline QRect cellRect(QTableView *grid, int column, int row)
{
    if (row == 0) {
        const QHeaderView *header = grid->horizontalHeader();
        const QRect section(
            header->sectionViewportPosition(column), 0, header->sectionSize(column) - 1, header->height() - 1);
        return section.translated(header->viewport()->mapTo(grid, QPoint()));
    }
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, column)).adjusted(0, 0, -1, -1);
    return cell.translated(grid->viewport()->mapTo(grid, QPoint()));
}

inline QPoint cellCentre(QTableView *grid, int column, int row)
{
    return cellRect(grid, column, row).center();
}

inline int currentRow(QTableView *grid)
{
    return grid->currentIndex().row() + 1;
}

inline int currentColumn(QTableView *grid)
{
    return grid->currentIndex().column();
}

// The note editor while a note is being typed, else null.
inline QLineEdit *noteEditor(QTableView *grid)
{
    for (QLineEdit *editor : grid->viewport()->findChildren<QLineEdit *>(QStringLiteral("InplaceEditor")))
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// The widget under a point of the grid (its cells, headings or an editor),
// and the point in that widget.
inline std::pair<QWidget *, QPoint> underGrid(QTableView *grid, QPoint pos)
{
    QWidget *under = grid->childAt(pos);
    if (!under)
        under = grid;
    return {under, under->mapFrom(grid, pos)};
}

inline void hoverCell(MainControls &f, int column, int row)
{
    const auto [under, pos] = underGrid(f.channelGrid, cellCentre(f.channelGrid, column, row));
    moveOver(under, pos);
}

inline void clickCell(MainControls &f, int column, int row)
{
    const auto [under, pos] = underGrid(f.channelGrid, cellCentre(f.channelGrid, column, row));
    QTest::mouseClick(under, Qt::LeftButton, {}, pos);
}

inline bool pickerShown(const MainControls &f)
{
    return f.modulePicker() != nullptr;
}

inline bool pickerOpen(const MainControls &f)
{
    return pickerShown(f) && f.modulePicker()->view()->isVisible();
}

// Chooses picker item `index` in the open list with the keyboard.
inline void choose(MainControls &f, int index)
{
    QAbstractItemView *view = f.modulePicker()->view();
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

// Closes an open list with Esc, as a user does, and waits until the window
// system has handed the activation back to the main window.
inline void closeList(MainControls &f, QComboBox *list)
{
    if (list->view()->isVisible())
        QTest::keyClick(list->view(), Qt::Key_Escape);
    QTRY_VERIFY(!list->view()->isVisible());
    f.window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&f.window));
}

// Clicks a check box or radio button as a user does.
inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Assigns a module to a channel through the picker.
inline void assign(MainControls &f, int row, int index)
{
    clickCell(f, 1, row);
    QVERIFY(pickerOpen(f));
    choose(f, index);
}

} // namespace ui
