#pragma once

#include <cstdio>

// A seeded random user at the main window. Every action is made of real
// input: pointer moves, clicks and key presses go through the window system
// (so an open drop-down list takes them, a click outside it closes it, a
// disabled control passes the pointer to its parent), wheel turns are routed
// as the window system routes them. After every action the session checks
// what must hold whatever the user did, against values it works out itself
// from what the controls show, never from the window's own bookkeeping.
//
//     Forms forms(QStringLiteral("Czech"), true);
//     RandomSession session(forms, seed);
//     while (session.steps() < 1000)
//         if (!session.step())
//             QFAIL(qPrintable(session.failure()));

#include "../core/rtfscan.h"
#include "formtestsupport.h"

#include "catalogue.h"
#include "contactstore.h"
#include "glyphbutton.h"
#include "orderdocument.h"
#include "picturebox.h"
#include "pricing.h"

#include <QAbstractItemView>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <array>
#include <deque>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <utility>

namespace randomtest {

using catalogue::Language;
using catalogue::Model;

constexpr int Rows = 16;
constexpr int Tags = catalogue::AccessoryCount;
constexpr int ScrollMax = 510;

// ---- what the form shows ------------------------------------------------------

// The configuration as the controls show it.
struct Config {
    Model model = Model::None;
    std::array<std::array<QString, 3>, Rows> cells; // module code, module index, note of rows 1..16
    std::array<bool, Tags> ticked{};
    std::array<bool, Tags> enabled{};
    int adapter = 0;
    int cable = 0;

    bool operator==(const Config &o) const
    {
        return model == o.model && cells == o.cells && ticked == o.ticked && enabled == o.enabled
               && adapter == o.adapter && cable == o.cable;
    }
    bool operator!=(const Config &o) const { return !(*this == o); }
};

inline QString modelName(Model model)
{
    switch (model) {
    case Model::TQ8: return QStringLiteral("TQ8");
    case Model::TQ8R: return QStringLiteral("TQ8R");
    case Model::ZK222: return QStringLiteral("ZK222");
    case Model::None: break;
    }
    return QStringLiteral("none");
}

inline QString describe(const Config &c)
{
    QString text = QStringLiteral("model %1; rows").arg(modelName(c.model));
    for (int r = 0; r < Rows; ++r) {
        const auto &row = c.cells[std::size_t(r)];
        if (!row[0].isEmpty() || !row[1].isEmpty() || !row[2].isEmpty())
            text += QStringLiteral(" %1:[%2|%3|%4]").arg(r + 1).arg(row[0], row[1], row[2]);
    }
    text += QStringLiteral("; ticked");
    for (int t = 1; t <= Tags; ++t)
        if (c.ticked[std::size_t(t - 1)])
            text += QStringLiteral(" %1%2").arg(t).arg(c.enabled[std::size_t(t - 1)] ? "" : "(off)");
    text += QStringLiteral("; disabled");
    for (int t = 1; t <= Tags; ++t)
        if (!c.enabled[std::size_t(t - 1)])
            text += QStringLiteral(" %1").arg(t);
    return text + QStringLiteral("; adapter %1, cable %2").arg(c.adapter).arg(c.cable);
}

inline Config readConfig(MainControls &f)
{
    Config c;
    c.model = f.tq8Button->isChecked()        ? Model::TQ8
              : f.tq8rButton->isChecked()     ? Model::TQ8R
              : f.assemblyButton->isChecked() ? Model::ZK222
                                              : Model::None;
    // What the grid shows, and the catalogue entry the order holds for it.
    for (int r = 1; r <= Rows; ++r) {
        auto &cells = c.cells[std::size_t(r - 1)];
        cells[0] = ui::cell(f.channelGrid, 1, r);
        const int module = f.order().module(r);
        cells[1] = module == OrderModel::NoModule ? QString() : QString::number(module);
        cells[2] = ui::cell(f.channelGrid, 2, r);
    }
    for (int t = 1; t <= Tags; ++t) {
        c.ticked[std::size_t(t - 1)] = f.accessoryBox(t)->isChecked();
        c.enabled[std::size_t(t - 1)] = f.accessoryBox(t)->isEnabled();
    }
    c.adapter = f.adapterList->currentIndex();
    c.cable = f.cableList->currentIndex();
    return c;
}

// The order the controls show: a channel's module is the catalogue entry
// the order holds for the code shown (checked separately).
inline Order orderOf(const Config &c)
{
    Order order;
    order.model = c.model;
    for (int r = 0; r < Rows; ++r) {
        const auto &cells = c.cells[std::size_t(r)];
        order.channels[std::size_t(r)] = {cells[1].isEmpty() ? Order::NoModule : cells[1].toInt(), cells[2]};
    }
    for (int t = 0; t < Tags; ++t)
        order.accessories[std::size_t(t)] = {c.ticked[std::size_t(t)], c.enabled[std::size_t(t)], 0};
    order.accessory(catalogue::AdapterTag).variant = c.adapter;
    order.accessory(catalogue::CableTag).variant = c.cable;
    return order;
}

// Channels whose module cell holds a catalogue module.
inline int fittedChannels(const Config &c)
{
    int count = 0;
    for (const auto &row : c.cells)
        if (!row[1].isEmpty() && !catalogue::isSeparator(row[1].toInt()))
            ++count;
    return count;
}

// ---- the session ---------------------------------------------------------------

class RandomSession {
public:
    RandomSession(Forms &forms, quint64 seed)
        : m_forms(forms)
        , m_f(forms.f())
        , m_seed(seed)
        , m_rng(seed)
    {
        m_previousFolder = QDir::currentPath();
        check(m_documentFolder.isValid() && QDir::setCurrent(m_documentFolder.path()),
            QStringLiteral("no temporary folder for the documents"));
        m_dialogWatch = std::make_unique<DialogWatch>(this);
        m_forms.kontakt->installEventFilter(m_dialogWatch.get());
        m_forms.image->installEventFilter(m_dialogWatch.get());
        m_language = shownLanguage();
        for (int r = 1; r <= Rows; ++r)
            m_notes[std::size_t(r - 1)] = ui::cell(m_f.channelGrid, 2, r);
        settle();
    }

    ~RandomSession()
    {
        m_forms.kontakt->removeEventFilter(m_dialogWatch.get());
        m_forms.image->removeEventFilter(m_dialogWatch.get());
        QDir::setCurrent(m_previousFolder);
    }

    RandomSession(const RandomSession &) = delete;
    RandomSession &operator=(const RandomSession &) = delete;

    quint64 seed() const { return m_seed; }
    qint64 steps() const { return m_step; }
    qint64 checks() const { return m_checks; }
    qint64 documents() const { return m_documents; }
    const QString &failure() const { return m_failure; }
    // The kind of the last action.
    const char *lastAction() const { return m_lastAction; }
    // From now on each input event (a pointer move, a click, a key, a wheel
    // notch) is handled to its end, the events it leads to included, before
    // the next one is sent, and the time that took goes to `inputs`. The
    // program's time over each user action goes to `actions` with its kind:
    // the sum over the action's input events and the events left after it,
    // without the session's own work. Each wheel notch that brings a control
    // into reach is a user action of its own ("wheel to reach"), as it is
    // for a user, who sees the window scroll before aiming.
    void measure(std::function<void(qint64 nanoseconds)> inputs,
        std::function<void(const char *kind, qint64 nanoseconds)> actions)
    {
        m_inputSink = std::move(inputs);
        m_actionSink = std::move(actions);
    }

    // One random action and every check after it. False on the first failed
    // check; failure() then says what, with the seed, the step and the
    // actions that led there.
    bool step()
    {
        if (!m_failure.isEmpty())
            return false;
        ++m_step;
        m_after.clear();
        m_before = readConfig(m_f);
        m_boxesBefore = int(m_boxes.asked.size());
        m_openedBefore = int(m_forms.desktop->opened.size());
        m_kontaktShowsBefore = m_kontaktShows;
        m_modelBefore = m_before.model;
        m_languageBefore = m_language;
        m_pickerWasShown = ui::pickerShown(m_f);
        m_popupBefore = QApplication::activePopupWidget() != nullptr;
        m_boxes.answer = QMessageBox::Ok;
        m_forms.desktop->openResult = true;

        m_actionNanoseconds = 0;
        act();
        settle();
        awaitDocument();
        if (m_actionSink)
            m_actionSink(m_lastAction, m_actionNanoseconds);
        if (m_failure.isEmpty())
            checkAfterAction();
        return m_failure.isEmpty();
    }

private:
    // Answers the two modal windows as soon as they come up, as a user
    // would: a random key or click that opens one is answered in the events
    // that follow it, so the session never goes on behind an open dialog.
    class DialogWatch : public QObject {
    public:
        explicit DialogWatch(RandomSession *session)
            : m_session(session)
        {
        }
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show) {
                if (watched == m_session->m_forms.kontakt.get())
                    m_session->contactDialogShown();
                else if (watched == m_session->m_forms.image.get())
                    m_session->diagramShown();
            }
            return false;
        }

    private:
        RandomSession *m_session;
    };
    friend class DialogWatch;

    // ---- randomness ------------------------------------------------------------

    int below(int n) { return n <= 1 ? 0 : int(m_rng() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T &pick(const std::vector<T> &items)
    {
        return items[std::size_t(below(int(items.size())))];
    }

    QString randomText(int minLength, int maxLength)
    {
        static const std::vector<QString> pieces = {"a", "b", "k", "Q", "7", "0", " ", "  ", "-", ".", "{", "}", "\\",
            "{}", "}{", "\\par ", "\\'e1", "$_01A", "$_", "$", "_", "$_101", "$_05P", "ě", "š", "č", "ř", "ž", "ý", "á",
            "í", "é", "ů", "ú", "Ř", "Ž", "Ť", "ő", "ä", "ß", "€", "Ω", "ж", "Я", "中", "→", "‰", "ø", "ñ", "@", "\"",
            "'", ";", ",", "=", "#", "%", "&", "<", ">", "|", "~", "^", "sklep", "Brno"};
        const int length = minLength + below(maxLength - minLength + 1);
        QString text;
        while (text.size() < length)
            text += pick(pieces);
        return text;
    }

    // ---- input through the window system --------------------------------------

    QWindow *window() const { return m_f.window.windowHandle(); }

    static QPoint nonNull(QPoint p) { return p.isNull() ? QPoint(1, 0) : p; }

    QPoint randomPointIn(const QRect &r) { return QPoint(r.left() + below(r.width()), r.top() + below(r.height())); }

    // Window position of `local` in `widget`, if it lies inside the window.
    std::optional<QPoint> inWindow(QWidget *widget, QPoint local) const
    {
        const QPoint p = widget->mapTo(&m_f.window, local);
        if (!m_f.window.rect().contains(p))
            return std::nullopt;
        return p;
    }

    // True when the pointer at `local` would be over `widget` (or a child of it).
    bool reachable(QWidget *widget, QPoint local) const
    {
        const auto p = inWindow(widget, local);
        if (!p || !widget->isVisible())
            return false;
        QWidget *at = m_f.window.childAt(*p);
        return at == widget || (at && widget->isAncestorOf(at));
    }

    // A point of `button` that a click toggles (its indicator and caption),
    // within reach of the pointer once the window has been scrolled to it.
    std::optional<QPoint> clickPoint(QAbstractButton *button)
    {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton *>(button) != nullptr;
        const QRect area = button->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonClickRect : QStyle::SE_CheckBoxClickRect, &option, button);
        // The indicator end of the area is never covered by the next heading.
        const QRect preferred = area.intersected(QRect(area.left(), area.top(), 14, area.height()));
        for (int attempt = 0; attempt < 8; ++attempt) {
            const QPoint local = randomPointIn(attempt < 4 && chance(70) ? preferred : area);
            if (scrollIntoView(button, local))
                return local;
        }
        return std::nullopt;
    }

    void moveTo(QPoint p, bool path = false)
    {
        if (path && !m_pointer.isNull()) {
            // The pointer crosses what lies between.
            const int stops = 1 + below(3);
            for (int i = 1; i <= stops; ++i)
                input([&] { QTest::mouseMove(window(), nonNull(m_pointer + (p - m_pointer) * i / (stops + 1))); });
        }
        m_pointer = nonNull(p);
        input([&] { QTest::mouseMove(window(), m_pointer); });
    }

    // Sends one input event.
    template <typename Send> void input(Send send)
    {
        if (!m_inputSink) {
            send();
            return;
        }
        QElapsedTimer clock;
        clock.start();
        send();
        QCoreApplication::processEvents();
        const qint64 nanoseconds = clock.nsecsElapsed();
        m_actionNanoseconds += nanoseconds;
        m_inputSink(nanoseconds);
    }

    void clickHere()
    {
        input([&] { QTest::mouseClick(window(), Qt::LeftButton, {}, m_pointer); });
    }

    void clickAt(QPoint p)
    {
        moveTo(p, chance(30));
        clickHere();
    }

    // Keys go where the desktop sends them: to an open list, which holds the
    // keyboard while it is open, else to the main window.
    void key(Qt::Key k, const QString &text = QString())
    {
        QWidget *popup = QApplication::activePopupWidget();
        QWindow *target = popup && popup->windowHandle() ? popup->windowHandle() : window();
        input([&] { QTest::sendKeyEvent(QTest::Click, target, k, text, Qt::NoModifier); });
    }

    void typeText(const QString &text)
    {
        for (const QChar ch : text) {
            const Qt::Key k = ch == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key(ch.toUpper().unicode());
            key(k, QString(ch));
        }
    }

    // A wheel turn at window position `p`, delivered where the window system
    // delivers it: to the open list if there is one, else to the control
    // under the pointer.
    void wheelAt(QPoint p, int delta)
    {
        const QPoint global = m_f.window.mapToGlobal(p);
        QWidget *root = QApplication::activePopupWidget();
        QWidget *receiver = nullptr;
        if (root) {
            receiver = root->childAt(root->mapFromGlobal(global));
        } else {
            root = &m_f.window;
            receiver = m_f.window.childAt(p);
        }
        if (!receiver)
            receiver = root;
        const QPoint local = receiver->mapFromGlobal(global);
        QWheelEvent event(
            local, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        input([&] { qApp->notify(receiver, &event); });
        QCoreApplication::processEvents();
    }

    // Turns the wheel until `local` of `widget` is under the pointer's reach.
    bool scrollIntoView(QWidget *widget, QPoint local)
    {
        // Each notch is timed as a user action of its own; what the action
        // took before it stays the action's.
        const qint64 actionSoFar = std::exchange(m_actionNanoseconds, 0);
        for (int i = 0; i < 40 && !reachable(widget, local); ++i) {
            const QPoint p = widget->mapTo(&m_f.window, local);
            if (p.y() >= 0 && p.y() < m_f.window.height())
                break; // in the window but covered
            moveTo(QPoint(300, 300));
            wheelAt(m_pointer, p.y() < 0 ? 120 : -120);
            const qint64 notch = std::exchange(m_actionNanoseconds, 0);
            if (m_actionSink)
                m_actionSink("wheel to reach", notch);
        }
        m_actionNanoseconds = actionSoFar;
        return reachable(widget, local);
    }

    QComboBox *openList() const
    {
        for (QComboBox *list : {m_f.modulePicker(), m_f.adapterList, m_f.cableList})
            if (list && list->view() && list->view()->isVisible())
                return list;
        return nullptr;
    }

    void closePopups()
    {
        for (int i = 0; i < 3 && QApplication::activePopupWidget(); ++i)
            key(Qt::Key_Escape);
        settle();
    }

    // Lets posted events run and gives the activation back to the main window
    // once no list or dialog holds it, as the desktop does.
    void settle()
    {
        QElapsedTimer clock;
        clock.start();
        QCoreApplication::processEvents();
        const bool held = QApplication::activePopupWidget() || QApplication::activeModalWidget();
        for (int i = 0; !held && i < 20 && QApplication::activeWindow() != &m_f.window; ++i) {
            m_f.window.activateWindow();
            QCoreApplication::processEvents();
        }
        m_actionNanoseconds += clock.nsecsElapsed();
    }

    // ---- the action log and checks -------------------------------------------

    void log(const QString &text)
    {
        m_log.push_back(QStringLiteral("%1: %2").arg(m_step).arg(text));
        while (m_log.size() > 10)
            m_log.pop_front();
    }

    bool check(bool ok, const QString &what)
    {
        if (!m_failure.isEmpty())
            return false;
        if (ok) {
            ++m_checks;
            return true;
        }
        QString message = QStringLiteral("seed %1, step %2: %3\nlast actions:").arg(m_seed).arg(m_step).arg(what);
        for (const QString &line : m_log)
            message += QStringLiteral("\n  ") + line;
        message += QStringLiteral("\nform: ") + describe(readConfig(m_f));
        m_failure = message;
        return false;
    }

    template <typename T> bool same(const T &actual, const T &expected, const QString &what)
    {
        if (actual == expected)
            return check(true, what);
        return check(false, QStringLiteral("%1: got \"%2\", expected \"%3\"").arg(what, show(actual), show(expected)));
    }
    static QString show(const QString &s) { return s; }
    static QString show(int v) { return QString::number(v); }
    static QString show(bool v) { return v ? QStringLiteral("true") : QStringLiteral("false"); }
    static QString show(const QByteArray &b) { return QString::fromLatin1(b); }

    Language shownLanguage() const
    {
        return m_f.resetButton->text() == QStringLiteral("Vynulovat formulář") ? Language::Czech : Language::English;
    }

    // ---- actions ---------------------------------------------------------------

    void act()
    {
        struct Choice {
            int weight;
            void (RandomSession::*action)();
        };
        static const Choice choices[] = {
            {6, &RandomSession::modelClick},
            {10, &RandomSession::gridClick},
            {10, &RandomSession::assignModule},
            {6, &RandomSession::closePicker},
            {22, &RandomSession::hover},
            {5, &RandomSession::typeNote},
            {10, &RandomSession::tick},
            {6, &RandomSession::chooseVariant},
            {8, &RandomSession::turnWheel},
            {2, &RandomSession::switchLanguage},
            {3, &RandomSession::reset},
            {3, &RandomSession::generateDocument},
            {5, &RandomSession::pressKey},
        };
        // The kinds of action, as the latency figures name them.
        static const char *const names[std::size(choices)] = {"model click", "grid click", "module choice",
            "picker closed", "pointer move", "note typed", "tick", "variant choice", "wheel", "language switch",
            "reset", "document", "key"};
        int total = 0;
        for (const Choice &c : choices)
            total += c.weight;
        int roll = below(total);
        for (const Choice &c : choices) {
            if (roll < c.weight) {
                m_lastAction = names[&c - choices];
                (this->*c.action)();
                return;
            }
            roll -= c.weight;
        }
    }

    // Model radio buttons, the selected one included.
    void modelClick()
    {
        const int n = 1 + below(3);
        QRadioButton *radio = n == 1 ? m_f.tq8Button : n == 2 ? m_f.tq8rButton : m_f.assemblyButton;
        if (m_popupBefore && chance(50))
            closePopups();
        const auto local = clickPoint(radio);
        if (!local) {
            log(QStringLiteral("model %1: out of reach").arg(radio->text()));
            return;
        }
        moveTo(*inWindow(radio, *local), chance(30));
        const bool free = QApplication::activePopupWidget() == nullptr;
        const bool wasChecked = radio->isChecked();
        const bool pickerShown = ui::pickerShown(m_f);
        const int rowBefore = ui::currentRow(m_f.channelGrid);
        const bool firstEmpty = ui::cell(m_f.channelGrid, 1, 1).isEmpty();
        const Config before = readConfig(m_f);
        log(QStringLiteral("click model %1%2").arg(radio->text(), wasChecked ? " (already selected)" : ""));
        clickHere();
        settle();
        if (!free)
            return;
        m_after.push_back([=] {
            if (wasChecked) {
                if (!pickerShown) {
                    check(readConfig(m_f) == before, QStringLiteral("clicking the selected model changed the form"));
                    check(!ui::pickerShown(m_f), QStringLiteral("clicking the selected model opened the picker"));
                }
                return;
            }
            check(radio->isChecked(), QStringLiteral("clicked model %1 is not selected").arg(radio->text()));
            // The picker opens on channel 1 while it was never assigned, else on the current row.
            const int row = firstEmpty && !(pickerShown && rowBefore == 1) ? 1 : rowBefore;
            check(ui::pickerOpen(m_f), QStringLiteral("model click left the picker closed"));
            same(ui::currentRow(m_f.channelGrid), row, QStringLiteral("row the picker opened on"));
            checkPreselection(row);
            if (n != 3)
                for (int tag : {3, 17, 18, 28})
                    check(!m_f.accessoryBox(tag)->isChecked() && m_f.accessoryBox(tag)->isEnabled(),
                        QStringLiteral("accessory %1 after %2").arg(tag).arg(radio->text()));
        });
    }

    void checkPreselection(int row)
    {
        const QString code = ui::cell(m_f.channelGrid, 1, row);
        if (!ui::pickerShown(m_f))
            return;
        const int expected = catalogue::pickerItemFor(code, m_language);
        same(m_f.modulePicker()->currentIndex(), expected, QStringLiteral("picker preselection for \"%1\"").arg(code));
    }

    // The channel row the picker is placed over, 0 for none.
    int pickerRow() const
    {
        for (int r = 1; ui::pickerShown(m_f) && r <= Rows; ++r)
            if (m_f.modulePicker()->mapTo(m_f.channelGrid, QPoint()).y() == ui::cellRect(m_f.channelGrid, 1, r).top())
                return r;
        return 0;
    }

    QPoint gridPoint(int column, int row)
    {
        const QRect cell = ui::cellRect(m_f.channelGrid, column, row);
        return randomPointIn(cell.adjusted(1, 1, -1, -1));
    }

    // A click on any visible cell: channel numbers, headings, modules, notes.
    void gridClick()
    {
        static const std::vector<int> columns = {0, 1, 1, 1, 2, 2};
        const int column = pick(columns);
        const int row = chance(8) ? 0 : 1 + below(Rows);
        const QPoint local = gridPoint(column, row);
        if (m_popupBefore && chance(60))
            closePopups();
        if (!scrollIntoView(m_f.channelGrid, local)) {
            log(QStringLiteral("grid click %1,%2: out of reach").arg(column).arg(row));
            return;
        }
        const QPoint p = *inWindow(m_f.channelGrid, local);
        moveTo(p, chance(30));
        const bool free = QApplication::activePopupWidget() == nullptr;
        // On the grid's cells, headings or border (not an editor over a cell).
        const QWidget *under = m_f.window.childAt(p);
        const QTableView *grid = m_f.channelGrid;
        const bool onGrid = under == grid || under == grid->viewport() || under == grid->horizontalHeader()
                            || under == grid->horizontalHeader()->viewport();
        const bool model = m_f.anyModelSelected();
        const int boxes = int(m_boxes.asked.size());
        log(QStringLiteral("click grid cell %1,%2").arg(column).arg(row));
        clickHere();
        settle();
        if (!free || !onGrid)
            return;
        m_after.push_back([=] {
            const bool warned = int(m_boxes.asked.size()) > boxes;
            same(warned, !model, QStringLiteral("grid warning shown"));
            if (!model) {
                check(!ui::pickerShown(m_f), QStringLiteral("picker opened without a model"));
            } else if (column == 1 && row > 0) {
                check(ui::pickerOpen(m_f),
                    QStringLiteral("a click on the module cell of channel %1 left the picker's list closed (picker %2)")
                        .arg(row)
                        .arg(ui::pickerShown(m_f) ? "shown" : "hidden"));
                same(ui::currentRow(m_f.channelGrid), row, QStringLiteral("picker row"));
                checkPreselection(row);
            } else if (column == 2) {
                check(!ui::pickerOpen(m_f), QStringLiteral("click on a note opened the picker"));
            }
        });
    }

    // Opens the picker over a channel if needed, then chooses an item in it.
    void assignModule()
    {
        if (!ui::pickerOpen(m_f)) {
            if (!m_f.anyModelSelected() || openList()) {
                gridClick();
                return;
            }
            const int row = 1 + below(Rows);
            const QPoint local = gridPoint(1, row);
            if (!scrollIntoView(m_f.channelGrid, local)) {
                log(QStringLiteral("module cell of channel %1: out of reach").arg(row));
                return;
            }
            log(QStringLiteral("click module cell of channel %1").arg(row));
            clickAt(*inWindow(m_f.channelGrid, local));
            settle();
            if (!check(ui::pickerOpen(m_f),
                    QStringLiteral("a click on the module cell of channel %1 left the picker's list closed "
                                   "(picker %2)")
                        .arg(row)
                        .arg(ui::pickerShown(m_f) ? "shown" : "hidden")))
                return;
        }
        // The channel the user sees the picker over.
        const int row = pickerRow();
        if (!check(row > 0, QStringLiteral("the picker stands over no channel")))
            return;
        const int item = chance(10) ? 54 : chance(10) ? (chance(50) ? 0 : 46) : below(catalogue::ModuleCount);
        const QString text = m_f.modulePicker()->itemText(item);
        const Config before = readConfig(m_f);
        chooseInOpenList(m_f.modulePicker(), item);
        m_after.push_back([=] {
            check(!ui::pickerShown(m_f), QStringLiteral("picker still shown after a choice"));
            const Config now = readConfig(m_f);
            for (int r = 1; r <= Rows; ++r) {
                const auto &cells = now.cells[std::size_t(r - 1)];
                if (r == row) {
                    same(cells[0], text.left(3), QStringLiteral("module of channel %1").arg(r));
                    same(cells[1], QString::number(item), QStringLiteral("index of channel %1").arg(r));
                } else if (r > row && item == 54) {
                    same(cells[0], QStringLiteral("---"), QStringLiteral("channel %1 after TB").arg(r));
                    same(cells[1], QStringLiteral("0"), QStringLiteral("index of channel %1 after TB").arg(r));
                } else {
                    check(cells[0] == before.cells[std::size_t(r - 1)][0]
                              && cells[1] == before.cells[std::size_t(r - 1)][1],
                        QStringLiteral("channel %1 changed by a choice for channel %2").arg(r).arg(row));
                }
            }
            same(m_f.orderCodeLabel->text(), catalogue::qs(catalogue::moduleAt(item).OrderCode),
                QStringLiteral("order code of the chosen module"));
        });
    }

    // Chooses `item` in the open list `list`, by keys or by the pointer.
    void chooseInOpenList(QComboBox *list, int item)
    {
        QAbstractItemView *view = list->view();
        if (chance(50)) {
            int current = view->currentIndex().row();
            if (current < 0)
                current = 0;
            QString how;
            if (item == 0 && chance(50)) {
                key(Qt::Key_Home);
                how = QStringLiteral("Home");
            } else if (item == list->count() - 1 && chance(50)) {
                key(Qt::Key_End);
                how = QStringLiteral("End");
            } else {
                for (; current < item; ++current)
                    key(Qt::Key_Down);
                for (; current > item; --current)
                    key(Qt::Key_Up);
                how = QStringLiteral("arrows");
            }
            const bool enter = chance(50);
            log(QStringLiteral("choose item %1 in %2 by %3 and %4")
                    .arg(item)
                    .arg(list->objectName(), how, enter ? "Enter" : "Return"));
            key(enter ? Qt::Key_Enter : Qt::Key_Return);
        } else {
            const QModelIndex index = view->model()->index(item, 0);
            view->scrollTo(index); // the user scrolls the list to the item
            QWidget *viewport = view->viewport();
            const QRect rect = view->visualRect(index).intersected(viewport->rect());
            const QPoint inViewport(rect.left() + 3 + below(qMax(1, rect.width() - 6)), rect.center().y());
            QWidget *popup = view->window();
            const QPoint p = nonNull(viewport->mapTo(popup, inViewport));
            log(QStringLiteral("choose item %1 in %2 with the pointer").arg(item).arg(list->objectName()));
            // The pointer travels over the list on its way: a click within a
            // few pixels of the one that opened the list counts as part of it.
            const QPoint across = viewport->mapTo(popup, QPoint(below(viewport->width()), below(viewport->height())));
            input([&] { QTest::mouseMove(popup->windowHandle(), nonNull(across)); });
            if ((popup->mapToGlobal(across) - m_f.window.mapToGlobal(m_pointer)).manhattanLength() <= 9)
                input([&] {
                    QTest::mouseMove(popup->windowHandle(),
                        nonNull(QPoint(across.x() < popup->width() / 2 ? popup->width() - 2 : 1, across.y())));
                });
            input([&] { QTest::mouseMove(popup->windowHandle(), p); });
            input([&] { QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, p); });
        }
        settle();
    }

    // Enter or Esc on the picker, with its list open or closed.
    void closePicker()
    {
        if (!ui::pickerShown(m_f)) {
            assignModule();
            return;
        }
        const bool listOpen = ui::pickerOpen(m_f);
        if (!listOpen && QApplication::focusWidget() != m_f.modulePicker()) {
            // Keys would go elsewhere; the user opens the picker again instead.
            assignModule();
            return;
        }
        const bool enter = chance(50);
        const int row = pickerRow();
        if (!check(row > 0, QStringLiteral("the picker stands over no channel")))
            return;
        log(QStringLiteral("%1 on the picker, list %2").arg(enter ? "Enter" : "Esc", listOpen ? "open" : "closed"));
        const int index =
            listOpen ? m_f.modulePicker()->view()->currentIndex().row() : m_f.modulePicker()->currentIndex();
        const Config before = readConfig(m_f);
        key(enter ? Qt::Key_Return : Qt::Key_Escape);
        settle();
        m_after.push_back([=] {
            if (listOpen && !enter) {
                // Esc closes the list only.
                check(ui::pickerShown(m_f) && !ui::pickerOpen(m_f), QStringLiteral("Esc on the open list"));
                check(readConfig(m_f) == before, QStringLiteral("Esc on the open list changed the form"));
                return;
            }
            // Enter commits; Esc hides the focused picker, whose exit commits.
            check(!ui::pickerShown(m_f), QStringLiteral("picker still shown after Enter/Esc"));
            if (index >= 0)
                same(QString::number(m_f.order().module(row)), QString::number(index),
                    QStringLiteral("index committed to channel %1").arg(row));
        });
    }

    // The pointer over every kind of thing in the window.
    void hover()
    {
        QWidget *target = nullptr;
        QPoint local;
        QString what;
        switch (below(12)) {
        case 0: {
            const int n = below(3);
            target = n == 0 ? m_f.tq8Button : n == 1 ? m_f.tq8rButton : m_f.assemblyButton;
            local = randomPointIn(target->rect());
            what = target->objectName();
            break;
        }
        case 1:
            target = m_f.modelGroup;
            local = randomPointIn(target->rect());
            what = controlnames::ModelGroup;
            break;
        case 2:
        case 3: {
            static const std::vector<int> columns = {0, 1, 1, 2, 2};
            const int column = pick(columns);
            const int row = below(Rows + 1);
            target = m_f.channelGrid;
            local = chance(10) ? randomPointIn(target->rect()) : gridPoint(column, row);
            what = QStringLiteral("grid cell %1,%2").arg(column).arg(row);
            break;
        }
        case 4:
        case 5: {
            const int tag = 1 + below(Tags);
            target = m_f.accessoryBox(tag);
            local = randomPointIn(target->rect());
            what = QStringLiteral("accessory %1%2").arg(tag).arg(target->isEnabled() ? "" : " (disabled)");
            break;
        }
        case 6:
            target = m_f.accessoryGroup;
            local = randomPointIn(target->rect());
            what = controlnames::AccessoryGroup;
            break;
        case 7:
            target = m_f.leftPanel;
            local = randomPointIn(target->rect());
            what = controlnames::LeftPanel;
            break;
        case 8:
            target = m_f.picturePanel;
            local = randomPointIn(target->rect());
            what = controlnames::PicturePanel;
            break;
        case 9: {
            const std::vector<QWidget *> labels = {m_f.totalLabel, m_f.orderCodeLabel, m_f.itemPriceLabel,
                m_f.versionLabel, m_f.sectionHeadings[std::size_t(below(9))], m_f.languageGroup, m_f.priceGroup,
                m_f.buttonPanel, m_f.adapterList, m_f.cableList, m_f.logo, m_f.resetButton};
            target = pick(labels);
            local = randomPointIn(target->rect());
            what = target->objectName();
            break;
        }
        case 10: {
            // Bare window ground.
            for (int i = 0; i < 20; ++i) {
                const QPoint p = randomPointIn(m_f.window.rect());
                if (!m_f.window.childAt(p)) {
                    target = &m_f.window;
                    local = p;
                    break;
                }
            }
            what = "window";
            break;
        }
        default:
            target = &m_f.window;
            local = randomPointIn(m_f.window.rect());
            what = "anywhere";
            break;
        }
        if (!target || !target->isVisible()) {
            target = &m_f.window;
            local = randomPointIn(m_f.window.rect());
        }
        auto p = inWindow(target, local);
        if (!p)
            p = randomPointIn(m_f.window.rect());
        QWidget *at = m_f.window.childAt(*p);
        log(QStringLiteral("move over %1 at %2,%3 (%4)")
                .arg(what)
                .arg(p->x())
                .arg(p->y())
                .arg(at ? at->objectName() : QStringLiteral("window")));
        moveTo(*p, chance(40));
    }

    // Types a note into a channel: opened by a click or by typing, ended by
    // Enter, Esc, Tab or by moving on.
    void typeNote()
    {
        if (QApplication::activePopupWidget())
            closePopups();
        if (ui::noteEditor(m_f.channelGrid)) {
            key(Qt::Key_Return);
            settle();
        }
        const int row = 1 + below(Rows);
        const QPoint local = gridPoint(2, row);
        if (!scrollIntoView(m_f.channelGrid, local) || QApplication::activePopupWidget()) {
            log(QStringLiteral("note of channel %1: out of reach").arg(row));
            return;
        }
        settle();
        const QString text = randomText(1, 24);
        const bool byClick = chance(50);
        const int ending = below(4);
        static const char *const endings[] = {"Enter", "Esc", "Tab", "moving to the module"};
        log(QStringLiteral("type note \"%1\" into channel %2 (opened by %3, ended by %4)")
                .arg(text)
                .arg(row)
                .arg(byClick ? "click" : "typing", endings[ending]));
        const QPoint p = *inWindow(m_f.channelGrid, local);
        moveTo(p, chance(30));
        if (byClick) {
            clickHere();
            settle();
        }
        // A click on a note with no model chosen brings the warning first;
        // it is answered and the editor stays.
        QString rest = text;
        if (!byClick) {
            typeText(text.left(1));
            rest = text.mid(1);
        }
        if (!check(ui::noteEditor(m_f.channelGrid) && ui::currentRow(m_f.channelGrid) == row
                       && ui::currentColumn(m_f.channelGrid) == 2,
                QStringLiteral("note editor of channel %1 did not open").arg(row)))
            return;
        typeText(rest);
        switch (ending) {
        case 0: key(Qt::Key_Return); break;
        case 1: key(Qt::Key_Escape); break;
        case 2: key(Qt::Key_Tab); break;
        default: {
            // Along the row to its module cell.
            const QRect module = ui::cellRect(m_f.channelGrid, 1, row);
            moveTo(QPoint(m_f.channelGrid->mapTo(&m_f.window, module.center()).x(), p.y()));
            break;
        }
        }
        settle();
        if (ending != 1)
            m_notes[std::size_t(row - 1)] = text;
        m_after.push_back([=] { check(!ui::noteEditor(m_f.channelGrid), QStringLiteral("note editor still open")); });
    }

    // A click on a check box, disabled ones included.
    void tick()
    {
        const int tag = 1 + below(Tags);
        QCheckBox *box = m_f.accessoryBox(tag);
        if (m_popupBefore && chance(60))
            closePopups();
        const auto local = clickPoint(box);
        if (!local) {
            log(QStringLiteral("accessory %1: out of reach").arg(tag));
            return;
        }
        moveTo(*inWindow(box, *local), chance(30));
        const bool free = QApplication::activePopupWidget() == nullptr;
        const bool wasTicked = box->isChecked();
        const bool enabled = box->isEnabled();
        log(QStringLiteral("click accessory %1 (%2, %3)")
                .arg(tag)
                .arg(wasTicked ? "ticked" : "unticked", enabled ? "enabled" : "disabled"));
        clickHere();
        settle();
        if (!free)
            return;
        m_after.push_back([=] {
            same(box->isChecked(), enabled ? !wasTicked : wasTicked, QStringLiteral("tick of accessory %1").arg(tag));
            if (tag == catalogue::AdapterTag && enabled)
                same(m_f.adapterList->view()->isVisible(), !wasTicked, QStringLiteral("adapter list open"));
            if (tag == catalogue::CableTag && enabled)
                same(m_f.cableList->view()->isVisible(), !wasTicked, QStringLiteral("cable list open"));
        });
    }

    // A variant in one of the two lists, opened by a click if need be.
    void chooseVariant()
    {
        QComboBox *list = nullptr;
        if (QComboBox *open = openList(); open && open != m_f.modulePicker())
            list = open;
        if (!list) {
            list = chance(50) ? m_f.adapterList : m_f.cableList;
            if (m_popupBefore)
                closePopups();
            const QPoint local(5 + below(list->width() - 10), 5 + below(list->height() - 10));
            if (!scrollIntoView(list, local)) {
                log(QStringLiteral("%1: out of reach").arg(list->objectName()));
                return;
            }
            log(QStringLiteral("click %1 (%2)").arg(list->objectName(), list->isEnabled() ? "enabled" : "disabled"));
            clickAt(*inWindow(list, local));
            settle();
            if (!list->view()->isVisible()) {
                check(!list->isEnabled(),
                    QStringLiteral("click on the enabled %1 opened no list").arg(list->objectName()));
                return;
            }
        }
        const int item = below(3);
        const int hoveredTag = m_f.hover().lastAccessory;
        chooseInOpenList(list, item);
        const bool adapter = list == m_f.adapterList;
        m_after.push_back([=] {
            const int tag = adapter ? catalogue::AdapterTag : catalogue::CableTag;
            same(list->currentIndex(), item, QStringLiteral("%1 item").arg(list->objectName()));
            check(!list->view()->isVisible(), QStringLiteral("%1 list still open").arg(list->objectName()));
            same(m_f.orderCodeLabel->text(), catalogue::accessoryOrderCode(tag, item),
                QStringLiteral("variant order code"));
            same(m_f.itemPriceLabel->text(), catalogue::priceText(catalogue::accessoryPriceText(tag, item)),
                QStringLiteral("variant price"));
            // The adapter shows its own picture and re-arms the hover; the cable leaves both.
            same(
                m_f.hover().lastAccessory, adapter ? -1 : hoveredTag, QStringLiteral("LastHoveredTag after a variant"));
        });
    }

    void turnWheel()
    {
        static const std::vector<int> deltas = {120, -120, 120, -120, 240, -240, -360, 30, -30, 60, -60, 15, -15, 90};
        const int delta = pick(deltas);
        const QPoint p = nonNull(randomPointIn(m_f.window.rect()));
        QWidget *at = m_f.window.childAt(p);
        const int before = m_f.scrollBar->value();
        const bool pickerList = ui::pickerOpen(m_f);
        const bool popup = QApplication::activePopupWidget() != nullptr;
        log(QStringLiteral("wheel %1 at %2,%3 (%4)")
                .arg(delta)
                .arg(p.x())
                .arg(p.y())
                .arg(at ? at->objectName() : QStringLiteral("window")));
        moveTo(p);
        wheelAt(p, delta);
        m_after.push_back([=] {
            const int now = m_f.scrollBar->value();
            if (pickerList) {
                same(now, before, QStringLiteral("scroll position while the picker list is open"));
                return;
            }
            if (popup)
                return;
            const int notches = (qAbs(delta) + 119) / 120;
            const int limit = delta > 0 ? qMax(0, before - 20 * notches) : qMin(ScrollMax, before + 20 * notches);
            if (qAbs(delta) % 120 == 0)
                same(now, limit, QStringLiteral("scroll position after %1 notches").arg(delta / 120));
            else
                check(delta > 0 ? now <= before && now >= limit : now >= before && now <= limit,
                    QStringLiteral("scroll position %1 -> %2 after a delta of %3").arg(before).arg(now).arg(delta));
        });
    }

    void switchLanguage()
    {
        if (m_popupBefore && chance(70))
            closePopups();
        const bool free = QApplication::activePopupWidget() == nullptr;
        const Config before = readConfig(m_f);
        const bool pickerShown = ui::pickerShown(m_f);
        log(QStringLiteral("click the language button"));
        const QPoint local(5 + below(30), 5 + below(18));
        clickAt(*inWindow(m_f.languageButton, local));
        settle();
        if (!free)
            return;
        m_after.push_back([=] {
            check(m_language != m_languageBefore, QStringLiteral("language did not change"));
            if (pickerShown)
                return;
            Config expected = before;
            if (m_language == Language::English) {
                expected.ticked[Tags - 1] = false;
                expected.enabled[Tags - 1] = false;
            } else {
                expected.enabled[Tags - 1] = true;
            }
            const Config now = readConfig(m_f);
            check(now == expected, QStringLiteral("language switch changed the configuration: ") + describe(now));
        });
    }

    void reset()
    {
        static const std::vector<QMessageBox::StandardButton> answers = {
            QMessageBox::Yes, QMessageBox::Yes, QMessageBox::No, QMessageBox::No, QMessageBox::NoButton};
        if (m_popupBefore)
            closePopups();
        m_boxes.answer = pick(answers);
        const bool byEsc =
            chance(25) && QApplication::focusWidget() == m_f.channelGrid && !ui::noteEditor(m_f.channelGrid);
        log(QStringLiteral("reset by %1, answered %2")
                .arg(byEsc ? "Esc" : "click", m_boxes.answer == QMessageBox::Yes  ? "Yes"
                                              : m_boxes.answer == QMessageBox::No ? "No"
                                                                                  : "by closing the box"));
        const int boxes = int(m_boxes.asked.size());
        if (byEsc)
            key(Qt::Key_Escape);
        else
            clickAt(*inWindow(m_f.resetButton, QPoint(10 + below(140), 5 + below(17))));
        settle();
        m_after.push_back([=] { same(int(m_boxes.asked.size()) - boxes, 1, QStringLiteral("reset questions asked")); });
    }

    void generateDocument()
    {
        if (m_popupBefore)
            closePopups();
        m_confirmContact = chance(85);
        m_forms.desktop->openResult = chance(85);
        for (QString &text : m_contactTexts)
            text = chance(15) ? QString() : randomText(0, 20);
        log(QStringLiteral("document button, contact %1, opener %2: \"%3\"")
                .arg(m_confirmContact ? "confirmed" : "cancelled", m_forms.desktop->openResult ? "comes up" : "fails",
                    QStringList(m_contactTexts.begin(), m_contactTexts.end()).join(QStringLiteral("\" \""))));
        const int shows = m_kontaktShows;
        clickAt(*inWindow(m_f.documentButton, QPoint(10 + below(140), 5 + below(17))));
        settle();
        m_after.push_back([=] { same(m_kontaktShows - shows, 1, QStringLiteral("contact dialog showings")); });
    }

    // Keys a user presses anywhere: they go to whatever has the focus.
    void pressKey()
    {
        static const std::vector<Qt::Key> keys = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab,
            Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Space, Qt::Key_Home, Qt::Key_End, Qt::Key_Return, Qt::Key_Escape,
            Qt::Key_PageDown, Qt::Key_F2};
        Qt::Key k = pick(keys);
        QWidget *focus = QApplication::focusWidget();
        const bool inGrid = focus == m_f.channelGrid || focus == ui::noteEditor(m_f.channelGrid);
        // Printable keys in the grid are note typing, which has its own action.
        if (k == Qt::Key_Space && inGrid)
            k = Qt::Key_Down;
        if (k == Qt::Key_Return || k == Qt::Key_Escape) {
            m_boxes.answer = chance(50) ? QMessageBox::Yes : QMessageBox::No;
            m_confirmContact = chance(70);
            for (QString &text : m_contactTexts)
                text = randomText(0, 12);
        }
        log(QStringLiteral("key %1 on %2").arg(QKeySequence(k).toString(), focus ? focus->objectName() : "nothing"));
        const QString text = k == Qt::Key_Space    ? QStringLiteral(" ")
                             : k == Qt::Key_Return ? QStringLiteral("\r")
                             : k == Qt::Key_Escape ? QStringLiteral("\x1b")
                             : k == Qt::Key_Tab    ? QStringLiteral("\t")
                                                   : QString();
        key(k, text);
        settle();
    }

    // ---- the two modal windows -----------------------------------------------

    void contactDialogShown()
    {
        const int showing = ++m_kontaktShows;
        ContactDialog *dialog = m_forms.kontakt.get();
        const bool confirm = m_confirmContact;
        const std::array<QString, 5> texts = m_contactTexts;
        const bool byKey = chance(50);
        QTimer::singleShot(0, dialog, [this, dialog, confirm, texts, byKey, showing] {
            for (int i = 0; i < 5; ++i)
                ContactControls(*dialog).edits[std::size_t(i)]->setText(texts[std::size_t(i)]);
            if (confirm && !byKey)
                QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                    ContactControls(*dialog).continueButton->mapTo(dialog, QPoint(20, 10)));
            else
                QTest::sendKeyEvent(QTest::Click, dialog->windowHandle(), confirm ? Qt::Key_Return : Qt::Key_Escape,
                    QString(), Qt::NoModifier);
            QTimer::singleShot(500, dialog, [this, dialog, showing] {
                if (m_kontaktShows == showing && dialog->isVisible()) {
                    check(false, QStringLiteral("contact dialog did not close"));
                    dialog->reject();
                }
            });
        });
    }

    void diagramShown()
    {
        const int showing = ++m_diagramShows;
        DiagramWindow *dialog = m_forms.image.get();
        QTimer::singleShot(0, dialog, [this, dialog, showing] {
            QTest::sendKeyEvent(QTest::Click, dialog->windowHandle(), Qt::Key_Escape, QString(), Qt::NoModifier);
            QTimer::singleShot(500, dialog, [this, dialog, showing] {
                if (m_diagramShows == showing && dialog->isVisible()) {
                    check(false, QStringLiteral("diagram window did not close on Esc"));
                    dialog->reject();
                }
            });
        });
    }

    // ---- checks after every action -------------------------------------------

    QString documentPath() const { return m_documentFolder.filePath(QStringLiteral("formular.rtf")); }

    // A document's PDF is drawn on a thread of the window's own, whatever
    // asked for the document (the button, Enter): what its answer costs the
    // window counts, the waiting for it does not.
    void awaitDocument()
    {
        QElapsedTimer waited;
        waited.start();
        while (m_f.window.cursor().shape() == Qt::WaitCursor && !m_forms.desktop->pending && waited.elapsed() < 20000) {
            QThread::msleep(1);
            settle();
        }
    }

    void checkAfterAction()
    {
        const Config now = readConfig(m_f);
        const Language language = shownLanguage();
        m_language = language;

        // Message boxes: only the three the form may ask, in its language.
        const bool czech = language == Language::Czech;
        bool resetConfirmed = false, resetRefused = false;
        int openerWarnings = 0;
        for (int i = m_boxesBefore; i < m_boxes.asked.size(); ++i) {
            const dialogs::Request &box = m_boxes.asked.at(i);
            const QString question = m_languageBefore == Language::Czech
                                         ? QStringLiteral("Opravdu si přejete vynulovat veškeré provedené volby ?")
                                         : QStringLiteral("Do you wish to delete all items ?");
            const QString warning = m_languageBefore == Language::Czech
                                        ? QStringLiteral("Vyberte nejdříve typ požadované ústředny.")
                                        : QStringLiteral("Choose first data logger model please.");
            if (box.text == question) {
                (m_boxes.answer == QMessageBox::No ? resetRefused : resetConfirmed) = true;
                check(box.icon == QMessageBox::Question, QStringLiteral("reset question icon"));
            } else if (box.text == warning) {
                check(box.icon == QMessageBox::Warning, QStringLiteral("grid warning icon"));
                check(m_modelBefore == Model::None || m_f.anyModelSelected() == false,
                    QStringLiteral("grid warning with a model chosen"));
            } else if (box.text.contains(QStringLiteral("WordPad.exe")) && box.icon == QMessageBox::Warning) {
                // The opener warning's words are the program's own, kept on
                // purpose; its exact texts are the document tests'.
                ++openerWarnings;
                check(box.text.startsWith(czech ? QString(15, QLatin1Char(' ')) + QStringLiteral("Nepodařilo")
                                                : QString(20, QLatin1Char(' ')) + QStringLiteral("Can`t")),
                    QStringLiteral("opener warning text: ") + box.text);
            } else {
                check(false, QStringLiteral("unexpected message box: ") + box.text);
            }
        }
        if (!m_failure.isEmpty())
            return;

        // The order document, when one was written.
        const int opened = int(m_forms.desktop->opened.size()) - m_openedBefore;
        if (m_kontaktShows > m_kontaktShowsBefore) {
            const bool confirmed = m_confirmContact;
            same(opened, confirmed ? 1 : 0, QStringLiteral("documents opened"));
            same(openerWarnings, confirmed && !m_forms.desktop->openResult ? 1 : 0,
                QStringLiteral("warnings that the opener did not come up"));
            if (confirmed && opened == 1)
                checkDocument(now);
            if (!m_pickerWasShown && !m_popupBefore)
                check(now == m_before, QStringLiteral("document generation changed the form: ") + describe(now));
        } else {
            same(opened, 0, QStringLiteral("documents opened without the contact dialog"));
            same(openerWarnings, 0, QStringLiteral("opener warnings without a document"));
        }
        check(!m_forms.kontakt->isVisible() && !m_forms.image->isVisible(), QStringLiteral("a dialog stayed open"));

        if (resetConfirmed) {
            checkResetState(now);
            m_notes.fill(QString());
        } else if (resetRefused && !m_pickerWasShown && !m_popupBefore) {
            check(now == m_before, QStringLiteral("reset answered No changed the form: ") + describe(now));
        }
        if (!m_failure.isEmpty())
            return;

        if (language == Language::English && m_languageBefore == Language::Czech)
            m_zkSinceSwitch = false;
        if (now.model == Model::ZK222 && m_modelBefore != Model::ZK222)
            m_zkSinceSwitch = true;

        for (const auto &after : m_after) {
            after();
            if (!m_failure.isEmpty())
                return;
        }
        checkInvariants(now, language);
    }

    void checkResetState(const Config &now)
    {
        check(now.model == Model::None, QStringLiteral("model after a reset"));
        for (const auto &row : now.cells)
            for (const QString &cell : row)
                check(cell.isEmpty(), QStringLiteral("grid cell not emptied by the reset"));
        for (int t = 1; t <= Tags; ++t) {
            check(!now.ticked[std::size_t(t - 1)], QStringLiteral("accessory %1 ticked after a reset").arg(t));
            if (t != Tags)
                check(now.enabled[std::size_t(t - 1)], QStringLiteral("accessory %1 disabled after a reset").arg(t));
        }
        same(now.adapter, 0, QStringLiteral("adapter item after a reset"));
        same(now.cable, 0, QStringLiteral("cable item after a reset"));
        same(m_f.totalLabel->text(), QStringLiteral("0,-"), QStringLiteral("total after a reset"));
        same(m_f.orderCodeLabel->text(), QStringLiteral("---"), QStringLiteral("order code after a reset"));
        same(m_f.itemPriceLabel->text(), QStringLiteral("0,-"), QStringLiteral("item price after a reset"));
        check(!ui::pickerShown(m_f), QStringLiteral("picker shown after a reset"));
        check(ui::currentRow(m_f.channelGrid) == 1 && ui::currentColumn(m_f.channelGrid) == 1,
            QStringLiteral("current cell after a reset"));
        same(now.enabled[Tags - 1], m_before.enabled[Tags - 1], QStringLiteral("accessory 29 enabled across a reset"));
    }

    void checkDocument(const Config &now)
    {
        ++m_documents;
        same(QFileInfo(m_forms.desktop->opened.last()).canonicalFilePath(),
            QFileInfo(documentPath()).canonicalFilePath(), QStringLiteral("document handed to the opener"));
        same(QDir(m_documentFolder.path()).entryList(QDir::Files).join(QLatin1Char(',')),
            QStringLiteral("formular.pdf,formular.rtf"), QStringLiteral("files in the document folder"));
        QFile file(documentPath());
        if (!check(file.open(QIODevice::ReadOnly), QStringLiteral("document not readable")))
            return;
        const QByteArray rtf = file.readAll();

        // Balanced groups, and every "$_" in it comes from a text the user typed.
        const RtfScan scan = scanRtf(rtf);
        check(scan.balanced, QStringLiteral("document groups are not balanced"));
        int typed = 0;
        for (const QString &text : m_contactTexts)
            typed += int(text.count(QStringLiteral("$_")));
        for (const auto &row : now.cells)
            typed += int(row[2].count(QStringLiteral("$_")));
        same(int(scan.placeholders.size()), typed, QStringLiteral("\"$_\" left in the document"));

        // The document is the one the order on screen makes, in the
        // language shown, with the contact details confirmed; the filling
        // rules themselves are the document tests'.
        const QByteArray templateBytes = document::templateFor(m_language);
        const QByteArray expected = document::fill(templateBytes, m_f.order().order(), m_language, m_contactTexts);
        if (rtf != expected) {
            const QList<QByteArray> got = rtf.split('\n');
            const QList<QByteArray> want = expected.split('\n');
            int line = 0;
            while (line < got.size() && line < want.size() && got.at(line) == want.at(line))
                ++line;
            QStringDecoder decoder("windows-1250");
            const auto text = [&decoder](QByteArray bytes) -> QString {
                if (bytes.endsWith('\r'))
                    bytes.chop(1);
                return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
            };
            check(false, QStringLiteral("document line %1 is\n    %2\n  expected\n    %3")
                             .arg(line + 1)
                             .arg(QString(text(got.value(line))), QString(text(want.value(line)))));
        } else {
            check(true, QStringLiteral("document content"));
        }
        same(int(rtf.count("\r\n")), int(templateBytes.count("\r\n")) + 1, QStringLiteral("document lines"));
    }

    void checkInvariants(const Config &now, Language language)
    {
        const bool czech = language == Language::Czech;

        // The language the button holds is the one the texts show.
        same(
            m_f.currentLanguage() == Language::Czech, czech, QStringLiteral("language of the button and of the texts"));
        same(m_f.priceGroup->isVisibleTo(&m_f.window), czech, QStringLiteral("price group shown"));
        same(m_f.buttonPanel->y(), czech ? 323 : 233, QStringLiteral("button panel top"));
        for (int t = 1; t <= Tags; ++t)
            same(m_f.accessoryBox(t)->text(), catalogue::accessoryCaption(t, language),
                QStringLiteral("caption of accessory %1").arg(t));
        // An open picker shows the language's texts.
        if (ui::pickerShown(m_f))
            same(m_f.modulePicker()->count(), catalogue::ModuleCount, QStringLiteral("picker items"));
        for (int i = 0; ui::pickerShown(m_f) && i < m_f.modulePicker()->count(); ++i)
            if (!same(m_f.modulePicker()->itemText(i), catalogue::moduleDescription(i, language),
                    QStringLiteral("picker item %1").arg(i)))
                return;

        // The total is the price of what the controls show.
        const qint32 total = pricing::total(orderOf(now));
        same(m_f.totalLabel->text(), catalogue::priceText(total), QStringLiteral("total shown"));
        same(int(m_f.order().total()), int(total), QStringLiteral("the order's total"));
        check(m_f.order().order() == orderOf(now), QStringLiteral("the order differs from what the controls show"));
        same(m_f.order().fittedChannels(), fittedChannels(now), QStringLiteral("fitted channels"));

        // The variant lists follow their boxes.
        const bool adapter = now.ticked[catalogue::AdapterTag - 1];
        same(m_f.adapterList->isEnabled(), adapter, QStringLiteral("adapterList enabled"));
        same(m_f.adapterList->font().bold(), adapter, QStringLiteral("adapterList bold"));
        const bool cable = now.ticked[catalogue::CableTag - 1];
        same(m_f.cableList->font().bold(), cable, QStringLiteral("cableList bold"));
        same(m_f.cableList->isEnabled(), cable && now.enabled[catalogue::CableTag - 1],
            QStringLiteral("cableList enabled"));
        check(now.adapter >= 0 && now.adapter < 3 && now.cable >= 0 && now.cable < 3, QStringLiteral("variant items"));

        // The grid's code and index columns agree.
        const QStringList headings =
            czech ? QStringList{"Číslo\rvstupního\rkanálu", "Typ\rvstupního\rmodulu", "\rPoznámka"}
                  : QStringList{"Input\rchannel\rnumber", "Input\rmodule\rtype", "\rNote"};
        same(QStringList{ui::cell(m_f.channelGrid, 0, 0), ui::cell(m_f.channelGrid, 1, 0),
                 ui::cell(m_f.channelGrid, 2, 0)},
            headings, QStringLiteral("grid headings"));
        for (int r = 1; r <= Rows; ++r) {
            const auto &row = now.cells[std::size_t(r - 1)];
            same(ui::cell(m_f.channelGrid, 0, r), QString::number(r), QStringLiteral("channel number %1").arg(r));
            same(row[2], m_notes[std::size_t(r - 1)], QStringLiteral("note of channel %1").arg(r));
            if (row[0].isEmpty() || row[1].isEmpty()) {
                check(row[0].isEmpty() && row[1].isEmpty(),
                    QStringLiteral("channel %1: module \"%2\" with index \"%3\"").arg(r).arg(row[0], row[1]));
                continue;
            }
            bool number = false;
            const int index = row[1].toInt(&number);
            if (!check(number && index >= 0 && index < catalogue::ModuleCount && QString::number(index) == row[1],
                    QStringLiteral("channel %1: index \"%2\"").arg(r).arg(row[1])))
                return;
            check(row[0] == catalogue::moduleDescription(index, Language::Czech).left(3)
                      || row[0] == catalogue::moduleDescription(index, Language::English).left(3),
                QStringLiteral("channel %1: module \"%2\" with index %3").arg(r).arg(row[0]).arg(index));
        }

        // The model-bound accessories and the calibration certificate.
        const auto box = [&](int tag) {
            return std::make_pair(now.ticked[std::size_t(tag - 1)], now.enabled[std::size_t(tag - 1)]);
        };
        if (now.model == Model::ZK222) {
            for (int tag : {3, 17, 18})
                check(box(tag) == std::make_pair(true, false), QStringLiteral("accessory %1 under ZK222").arg(tag));
            check(box(28) == std::make_pair(false, false), QStringLiteral("accessory 28 under ZK222"));
        } else {
            for (int tag : {3, 17, 18, 28})
                check(box(tag).second, QStringLiteral("accessory %1 disabled without ZK222").arg(tag));
        }
        for (int tag = 1; tag < Tags; ++tag)
            if (tag != 3 && tag != 17 && tag != 18 && tag != 28)
                check(box(tag).second, QStringLiteral("accessory %1 disabled").arg(tag));
        same(box(Tags).second, czech || m_zkSinceSwitch, QStringLiteral("accessory 29 enabled"));
        if (!box(Tags).second)
            check(!box(Tags).first, QStringLiteral("accessory 29 ticked while disabled"));
        const int models =
            int(m_f.tq8Button->isChecked()) + int(m_f.tq8rButton->isChecked()) + int(m_f.assemblyButton->isChecked());
        check(models <= 1, QStringLiteral("%1 models selected").arg(models));

        // Scrolling.
        const int position = m_f.scrollBar->value();
        check(position >= 0 && position <= ScrollMax, QStringLiteral("scroll position %1").arg(position));
        same(m_f.leftPanel->y(), 5 - position, QStringLiteral("leftPanel top"));
        same(m_f.accessoryGroup->y(), 510 - position, QStringLiteral("accessoryGroup top"));

        // The picker stands over the current row.
        if (ui::pickerShown(m_f)) {
            const QRect cell = ui::cellRect(m_f.channelGrid, 1, ui::currentRow(m_f.channelGrid));
            same(m_f.modulePicker()->mapTo(m_f.channelGrid, QPoint()), cell.topLeft(),
                QStringLiteral("picker position"));
        }
        check(m_f.window.isVisible() && !m_f.window.isMinimized(), QStringLiteral("main window not shown"));
    }
    static QString show(const QPoint &p) { return QStringLiteral("%1,%2").arg(p.x()).arg(p.y()); }
    static QString show(const QStringList &l) { return l.join(QLatin1Char('|')); }

    // ---- state ---------------------------------------------------------------

    Forms &m_forms;
    MainControls &m_f;
    quint64 m_seed;
    std::mt19937_64 m_rng;
    BoxAnswers m_boxes;
    QTemporaryDir m_documentFolder;
    PrivateConfig m_config; // the contact store lives here
    QString m_previousFolder;
    std::unique_ptr<DialogWatch> m_dialogWatch;

    qint64 m_step = 0;
    qint64 m_checks = 0;
    qint64 m_documents = 0;
    QString m_failure;
    std::deque<QString> m_log;
    std::vector<std::function<void()>> m_after;
    QPoint m_pointer;

    // What the session keeps track of itself.
    Language m_language = Language::Czech;
    std::array<QString, Rows> m_notes;
    bool m_zkSinceSwitch = false; // ZK222 chosen since the last switch to English
    bool m_confirmContact = true;
    std::array<QString, 5> m_contactTexts;
    const char *m_lastAction = "";
    std::function<void(qint64)> m_inputSink;
    std::function<void(const char *, qint64)> m_actionSink;
    qint64 m_actionNanoseconds = 0;
    int m_kontaktShows = 0;
    int m_diagramShows = 0;

    // Taken at the start of every step.
    Config m_before;
    Model m_modelBefore = Model::None;
    Language m_languageBefore = Language::Czech;
    int m_boxesBefore = 0;
    int m_openedBefore = 0;
    int m_kontaktShowsBefore = 0;
    bool m_pickerWasShown = false;
    bool m_popupBefore = false;
};

// The offscreen platform notes at every list that opens that it cannot raise
// windows or grab the keyboard; thousands of those would hide what matters.
// Installs a message handler that drops them and passes on everything else.
inline void quietenPlatformNotices()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
            return;
        if (previous)
            previous(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    });
}

} // namespace randomtest

using randomtest::RandomSession;
