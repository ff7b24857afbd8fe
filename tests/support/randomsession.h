#pragma once

// A seeded random user at the main window, acting by real input routed as
// the window system routes it. After every action the session checks that
// the controls show the order the window's model holds, that no list is left
// open, and that a document is the one the core fills, written nowhere else.

#include "formtestsupport.h"

#include "catalogue.h"
#include "orderdocument.h"
#include "pricing.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <deque>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

namespace randomtest {

using catalogue::Language;
using catalogue::Model;

constexpr int Rows = Order::ChannelCount;

// An order in short, for failure messages.
inline QString describe(const Order &order)
{
    QString text = QStringLiteral("model %1;").arg(int(order.model));
    for (const Order::Channel &channel : order.channels)
        text += QStringLiteral(" %1|%2").arg(channel.module).arg(channel.note);
    for (const Order::Accessory &a : order.accessories)
        text += QStringLiteral(" %1%2%3").arg(int(a.ticked)).arg(int(a.enabled)).arg(a.variant);
    return text;
}

// A QObject only to watch the two modal windows come up.
class RandomSession : private QObject {
public:
    RandomSession(Forms &forms, quint64 seed)
        : m_forms(forms)
        , m_f(forms.f())
        , m_rng(seed)
        , m_previousFolder(QDir::currentPath())
    {
        forms.kontakt->installEventFilter(this);
        forms.image->installEventFilter(this);
        check(m_documentFolder.isValid() && QDir::setCurrent(m_documentFolder.path()),
            QStringLiteral("no temporary folder for the documents"));
        m_boxes.onAsk = [this] { m_askedWith.push_back({m_f.order().model(), int(m_forms.desktop->opened.size())}); };
        for (int tag = 1; tag <= catalogue::AccessoryCount; ++tag)
            if (catalogue::hasVariantList(tag)) {
                const QString name = controlnames::variantList(catalogue::accessory(tag).list.control);
                m_variantLists.push_back({tag, m_f.window.findChild<QComboBox *>(name)});
                check(m_variantLists.back().list != nullptr, QStringLiteral("no list named ") + name);
            }
        // Where the scrolled parts stand at the top of the scroll range.
        m_leftPanelTop = m_f.leftPanel->y() + m_f.scrollBar->value();
        m_accessoryGroupTop = m_f.accessoryGroup->y() + m_f.scrollBar->value();
        settle();
    }

    ~RandomSession() { QDir::setCurrent(m_previousFolder); }

    qint64 steps() const { return m_step; }
    qint64 checks() const { return m_checks; }
    qint64 documents() const { return m_documents; }
    const QString &failure() const { return m_failure; }
    const char *lastAction() const { return m_lastAction; } // its kind
    // From now on each input event is handled to its end, its time going to
    // `inputs`; each action's time goes to `actions` with its kind. A wheel
    // notch that brings a control into reach is a "wheel to reach" of its own.
    void measure(std::function<void(qint64 nanoseconds)> inputs,
        std::function<void(const char *kind, qint64 nanoseconds)> actions)
    {
        m_inputSink = std::move(inputs);
        m_actionSink = std::move(actions);
    }

    // One random action and every check after it. False on the first failed
    // check; failure() then says what, where and after which actions.
    bool step()
    {
        if (!m_failure.isEmpty())
            return false;
        ++m_step;
        m_after.clear();
        const bool popup = QApplication::activePopupWidget() != nullptr;
        m_was = {m_f.order().order(), m_f.order().language(), int(m_boxes.asked.size()),
            int(m_forms.desktop->opened.size()), m_contactShows, !picker() && !popup, popup};
        m_noteRow = 0;
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
    int below(int n) { return n <= 1 ? 0 : int(m_rng() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T &pick(const std::vector<T> &items)
    {
        return items[std::size_t(below(int(items.size())))];
    }
    QPoint randomPointIn(const QRect &r) { return QPoint(r.left() + below(r.width()), r.top() + below(r.height())); }

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

    QWindow *window() const { return m_f.window.windowHandle(); }
    static QPoint nonNull(QPoint p) { return p.isNull() ? QPoint(1, 0) : p; }

    std::optional<QPoint> inWindow(QWidget *widget, QPoint local) const
    {
        const QPoint p = widget->mapTo(&m_f.window, local);
        return m_f.window.rect().contains(p) ? std::optional<QPoint>(p) : std::nullopt;
    }

    void moveTo(QPoint p, bool path = false)
    {
        if (path && !m_pointer.isNull()) {
            const int stops = 1 + below(3);
            for (int i = 1; i <= stops; ++i)
                mouse(window(), nonNull(m_pointer + (p - m_pointer) * i / (stops + 1)));
        }
        m_pointer = nonNull(p);
        mouse(window(), m_pointer);
    }

    void mouse(QWindow *target, QPoint p, bool click = false)
    {
        input([&] { click ? QTest::mouseClick(target, Qt::LeftButton, {}, p) : QTest::mouseMove(target, p); });
    }

    // Sends one input event; when measuring, handles it to its end.
    template <typename Send> void input(Send send)
    {
        QElapsedTimer clock;
        clock.start();
        send();
        if (!m_inputSink)
            return;
        QCoreApplication::processEvents();
        const qint64 nanoseconds = clock.nsecsElapsed();
        m_actionNanoseconds += nanoseconds;
        m_inputSink(nanoseconds);
    }

    // Scrolls `local` of `widget` into reach and clicks there; false if out of reach.
    bool clickOn(QWidget *widget, QPoint local, QString what = {})
    {
        if (what.isEmpty())
            what = widget->objectName() + (widget->isEnabled() ? "" : " (disabled)");
        if (!scrollIntoView(widget, local)) {
            log(what + QStringLiteral(": out of reach"));
            return false;
        }
        moveTo(*inWindow(widget, local), chance(30));
        log(QStringLiteral("click ") + what);
        mouse(window(), m_pointer, true);
        settle();
        return true;
    }
    bool clickInside(QWidget *widget, int margin)
    {
        return clickOn(widget, randomPointIn(widget->rect().adjusted(margin, margin, -margin, -margin)));
    }
    // Closes by Esc a list open at the start, at `percent` chance; true if none is open now.
    bool closePopupsFirst(int percent = 100)
    {
        if (m_was.popup && (percent >= 100 || chance(percent))) {
            for (int i = 0; i < 3 && QApplication::activePopupWidget(); ++i)
                key(Qt::Key_Escape);
            settle();
            check(!QApplication::activePopupWidget(), QStringLiteral("a list stayed open after Esc"));
        }
        return !QApplication::activePopupWidget();
    }

    // Keys go to an open list, which holds the keyboard, else to the window, as a keyboard's.
    void key(Qt::Key k, const QString &text = QString())
    {
        QWidget *popup = QApplication::activePopupWidget();
        QWindow *target = popup && popup->windowHandle() ? popup->windowHandle() : window();
        input([&] {
            text.isEmpty() ? QTest::keyClick(target, k) : QTest::sendKeyEvent(QTest::Click, target, k, text, {});
        });
    }

    void typeText(const QString &text)
    {
        for (const QChar ch : text)
            key(ch == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key(ch.toUpper().unicode()), QString(ch));
    }

    // The pointer to `p`, a wheel turn there: to the open list if any, else to what is there.
    void wheelAt(QPoint p, int delta)
    {
        moveTo(p);
        const QPoint global = m_f.window.mapToGlobal(p);
        QWidget *root = QApplication::activePopupWidget();
        QWidget *receiver = root ? root->childAt(root->mapFromGlobal(global)) : m_f.window.childAt(p);
        if (!receiver)
            receiver = root ? root : &m_f.window;
        input([&] { ui::wheel(receiver, delta, receiver->mapFromGlobal(global)); });
        QCoreApplication::processEvents();
    }

    // Turns the wheel until the pointer at `local` would be over `widget` or a child of it.
    bool scrollIntoView(QWidget *widget, QPoint local)
    {
        const auto reachable = [&] {
            const auto p = inWindow(widget, local);
            return p && widget->isVisible() && widget->isAncestorOf(m_f.window.childAt(*p)); // itself included
        };
        const qint64 actionSoFar = std::exchange(m_actionNanoseconds, 0);
        for (int i = 0; i < 40 && !reachable(); ++i) {
            const QPoint p = widget->mapTo(&m_f.window, local);
            if (p.y() >= 0 && p.y() < m_f.window.height())
                break;                                                           // in the window but covered
            wheelAt(m_f.leftPanel->geometry().center(), p.y() < 0 ? 120 : -120); // over the half that scrolls
            const qint64 notch = std::exchange(m_actionNanoseconds, 0);
            if (m_actionSink)
                m_actionSink("wheel to reach", notch);
        }
        m_actionNanoseconds = actionSoFar;
        return reachable();
    }

    QComboBox *picker() const { return m_f.modulePicker(); }

    // The channel the picker stands over; 0, a failed check, for none.
    int pickerRow()
    {
        QComboBox *shown = picker();
        const QPoint centre = shown ? shown->mapTo(m_f.channelGrid, shown->rect().center()) : QPoint(-1, -1);
        int row = 0;
        for (int r = 1; r <= Rows && row == 0; ++r)
            row = ui::cellRect(m_f.channelGrid, 1, r).contains(centre) ? r : 0;
        check(row > 0, QStringLiteral("the picker stands over no channel"));
        return row;
    }

    struct VariantList {
        int tag;
        QComboBox *list;
    };
    const VariantList *openVariantList() const
    {
        for (const VariantList &variants : m_variantLists)
            if (variants.list->view()->isVisible())
                return &variants;
        return nullptr;
    }

    // Runs posted events; gives the activation back once no list or dialog holds it.
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

    void log(const QString &text)
    {
        m_log.push_back(QStringLiteral("%1: %2").arg(m_step).arg(text));
        if (m_log.size() > 10)
            m_log.pop_front();
    }

    bool check(bool ok, const QString &what)
    {
        if (ok || !m_failure.isEmpty())
            return m_failure.isEmpty() && ++m_checks > 0;
        m_failure = QStringLiteral("step %1: %2\nlast actions:").arg(m_step).arg(what);
        for (const QString &line : m_log)
            m_failure += QStringLiteral("\n  ") + line;
        m_failure += QStringLiteral("\norder: ") + describe(m_f.order().order());
        return false;
    }

    template <typename T> bool same(const T &actual, const T &expected, const QString &what)
    {
        if (actual == expected)
            return check(true, what);
        return check(false, QStringLiteral("%1: got \"%2\", expected \"%3\"")
                                .arg(what, QVariant(actual).toString(), QVariant(expected).toString()));
    }

    void act()
    {
        struct Kind {
            int weight;
            const char *name; // as the latency figures name it
            void (RandomSession::*action)();
        };
        static const Kind kinds[] = {
            {6, "model click", &RandomSession::modelClick},
            {10, "grid click", &RandomSession::gridClick},
            {10, "module choice", &RandomSession::assignModule},
            {6, "picker closed", &RandomSession::closePicker},
            {22, "pointer move", &RandomSession::hover},
            {5, "note typed", &RandomSession::typeNote},
            {10, "tick", &RandomSession::tick},
            {6, "variant choice", &RandomSession::chooseVariant},
            {8, "wheel", &RandomSession::turnWheel},
            {2, "language switch", &RandomSession::switchLanguage},
            {3, "reset", &RandomSession::reset},
            {3, "document", &RandomSession::generateDocument},
            {5, "key", &RandomSession::pressKey},
        };
        int roll = below(std::accumulate(
            std::begin(kinds), std::end(kinds), 0, [](int sum, const Kind &kind) { return sum + kind.weight; }));
        const Kind *kind = kinds;
        for (; roll >= kind->weight; ++kind)
            roll -= kind->weight;
        m_lastAction = kind->name;
        (this->*kind->action)();
    }

    std::vector<std::pair<QRadioButton *, Model>> modelButtons() const
    {
        return {{m_f.tq8Button, Model::TQ8}, {m_f.tq8rButton, Model::TQ8R}, {m_f.assemblyButton, Model::ZK222}};
    }

    // Clicks where a click toggles `button`; `after` checks it unless a list took the click.
    void clickButton(QAbstractButton *button, bool free, std::function<void()> after)
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
            if (!scrollIntoView(button, local))
                continue;
            if (clickOn(button, local) && free)
                m_after.push_back(std::move(after));
            return;
        }
    }

    // Model radio buttons, the selected one included.
    void modelClick()
    {
        const auto [radio, model] = pick(modelButtons());
        clickButton(radio, closePopupsFirst(50), [this, model = model] {
            same(int(m_f.order().model()), int(model), QStringLiteral("model after its button's click"));
        });
    }

    QPoint gridPoint(int column, int row)
    {
        return randomPointIn(ui::cellRect(m_f.channelGrid, column, row).adjusted(1, 1, -1, -1));
    }

    // A click on any visible cell: channel numbers, headings, modules, notes.
    void gridClick()
    {
        static const std::vector<int> columns = {0, 1, 1, 1, 2, 2};
        const int column = pick(columns);
        const int row = chance(8) ? 0 : 1 + below(Rows);
        const QPoint local = gridPoint(column, row);
        closePopupsFirst(60);
        clickOn(m_f.channelGrid, local, QStringLiteral("grid cell %1,%2").arg(column).arg(row));
    }

    // Opens the picker over a channel if needed, then chooses an item in it.
    void assignModule()
    {
        if (!ui::pickerOpen(m_f)) {
            if (!m_f.anyModelSelected() || openVariantList())
                return gridClick();
            const int row = 1 + below(Rows);
            if (!clickOn(m_f.channelGrid, gridPoint(1, row), QStringLiteral("module cell of channel %1").arg(row))
                || !check(
                    ui::pickerOpen(m_f), QStringLiteral("the picker's list did not open over channel %1").arg(row)))
                return;
        }
        const int row = pickerRow();
        if (row == 0)
            return;
        // Now and then the ends, the separators, the one that takes the rest of the bus.
        std::vector<int> notable = {0, catalogue::ModuleCount - 1};
        for (int i = 0; i < catalogue::ModuleCount; ++i)
            if (catalogue::isSeparator(i) || catalogue::moduleAt(i).TakesRestOfBus)
                notable.push_back(i);
        const int item = chance(25) ? pick(notable) : below(catalogue::ModuleCount);
        chooseInOpenList(picker(), item);
        m_after.push_back([=] {
            check(!picker(), QStringLiteral("picker still shown after a choice"));
            same(m_f.order().module(row), item, QStringLiteral("module chosen for channel %1").arg(row));
        });
    }

    // Chooses `item` in the open list `list`, by keys or by the pointer.
    void chooseInOpenList(QComboBox *list, int item)
    {
        QAbstractItemView *view = list->view();
        const bool byKeys = chance(50);
        log(QStringLiteral("choose item %1 in %2 %3")
                .arg(item)
                .arg(list->objectName(), byKeys ? "by keys" : "by pointer"));
        if (byKeys) {
            const bool home = item == 0 && chance(50), end = item == list->count() - 1 && chance(50);
            if (home || end)
                key(home ? Qt::Key_Home : Qt::Key_End);
            for (int at = qMax(0, view->currentIndex().row()); !home && !end && at != item; at += item > at ? 1 : -1)
                key(item > at ? Qt::Key_Down : Qt::Key_Up);
            key(chance(50) ? Qt::Key_Enter : Qt::Key_Return);
        } else {
            const QModelIndex index = view->model()->index(item, 0);
            view->scrollTo(index); // the user scrolls the list to the item
            QWidget *viewport = view->viewport();
            const QRect rect = view->visualRect(index).intersected(viewport->rect());
            const QPoint inViewport(rect.left() + 3 + below(qMax(1, rect.width() - 6)), rect.center().y());
            QWindow *popup = view->window()->windowHandle();
            const QPoint p = nonNull(viewport->mapTo(view->window(), inViewport));
            // The pointer crosses the list on its way (a click a few pixels
            // from the one that opened it would count as part of that).
            QPoint across = viewport->mapTo(view->window(), randomPointIn(viewport->rect()));
            if ((view->window()->mapToGlobal(across) - m_f.window.mapToGlobal(m_pointer)).manhattanLength() <= 9)
                across.setX(across.x() < view->window()->width() / 2 ? view->window()->width() - 2 : 1);
            mouse(popup, nonNull(across));
            mouse(popup, p);
            mouse(popup, p, true);
        }
        settle();
    }

    // Enter or Esc on the picker, with its list open or closed.
    void closePicker()
    {
        const bool listOpen = ui::pickerOpen(m_f);
        if (!picker() || (!listOpen && QApplication::focusWidget() != picker()))
            return assignModule(); // keys would go elsewhere: the user opens the picker again
        const bool enter = chance(50);
        if (pickerRow() == 0)
            return;
        log(QStringLiteral("%1 on the picker, list %2").arg(enter ? "Enter" : "Esc", listOpen ? "open" : "closed"));
        key(enter ? Qt::Key_Return : Qt::Key_Escape);
        settle();
    }

    // The pointer over every kind of thing in the window.
    void hover()
    {
        const std::vector<QWidget *> targets = {m_f.tq8Button, m_f.tq8rButton, m_f.assemblyButton, m_f.modelGroup,
            m_f.channelGrid, m_f.channelGrid, m_f.accessoryBox(1 + below(catalogue::AccessoryCount)),
            m_f.accessoryBox(1 + below(catalogue::AccessoryCount)), m_f.accessoryGroup, m_f.leftPanel, m_f.picturePanel,
            m_f.totalLabel, m_f.orderCodeLabel, m_f.itemPriceLabel, m_f.versionLabel,
            m_f.sectionHeadings[std::size_t(below(catalogue::AccessorySectionCount))], m_f.languageGroup,
            m_f.priceGroup, m_f.buttonPanel, m_f.logo, m_f.resetButton, pick(m_variantLists).list, &m_f.window,
            &m_f.window};
        static const std::vector<int> columns = {0, 1, 1, 2, 2};
        QWidget *target = pick(targets);
        if (!target->isVisible())
            target = &m_f.window;
        const QPoint local = target == m_f.channelGrid && chance(90) ? gridPoint(pick(columns), below(Rows + 1))
                                                                     : randomPointIn(target->rect());
        const QPoint p = inWindow(target, local).value_or(randomPointIn(m_f.window.rect()));
        log(QStringLiteral("move over %1 at %2,%3").arg(target->objectName()).arg(p.x()).arg(p.y()));
        moveTo(p, chance(40));
    }

    // A note typed into a channel, opened by a click or by typing.
    void typeNote()
    {
        closePopupsFirst();
        if (ui::noteEditor(m_f.channelGrid))
            key(Qt::Key_Return);
        const int row = 1 + below(Rows);
        const QPoint local = gridPoint(2, row);
        if (!scrollIntoView(m_f.channelGrid, local) || QApplication::activePopupWidget())
            return log(QStringLiteral("note of channel %1: out of reach").arg(row));
        settle();
        const QString text = randomText(1, 24);
        const bool byClick = chance(50);
        const int ending = below(4);
        static const char *const endings[] = {"Enter", "Esc", "Tab", "moving to the module"};
        log(QStringLiteral("type note \"%1\" into channel %2 (opened by %3, ended by %4)")
                .arg(text, QString::number(row), byClick ? "click" : "typing", endings[ending]));
        const QPoint p = *inWindow(m_f.channelGrid, local);
        moveTo(p, chance(30));
        // With no model chosen a click brings the warning first; the editor stays.
        if (byClick)
            mouse(window(), m_pointer, true);
        else
            typeText(text.left(1));
        settle();
        if (!check(ui::noteEditor(m_f.channelGrid) && ui::currentRow(m_f.channelGrid) == row
                       && ui::currentColumn(m_f.channelGrid) == 2,
                QStringLiteral("note editor of channel %1 did not open").arg(row)))
            return;
        typeText(byClick ? text : text.mid(1));
        if (ending < 3)
            key(ending == 0 ? Qt::Key_Return : ending == 1 ? Qt::Key_Escape : Qt::Key_Tab);
        else // along the row to its module cell
            moveTo(QPoint(m_f.channelGrid->mapTo(&m_f.window, ui::cellCentre(m_f.channelGrid, 1, row)).x(), p.y()));
        settle();
        m_noteRow = ending == 1 ? 0 : row; // Esc drops the note
        m_noteText = text;
        m_after.push_back([=] { check(!ui::noteEditor(m_f.channelGrid), QStringLiteral("note editor still open")); });
    }

    // A click on a check box, disabled ones included.
    void tick()
    {
        const int tag = 1 + below(catalogue::AccessoryCount);
        const bool free = closePopupsFirst(60);
        const bool ticked = m_f.order().isTicked(tag) != m_f.order().isEnabled(tag);
        clickButton(m_f.accessoryBox(tag), free, [=] {
            same(m_f.order().isTicked(tag), ticked, QStringLiteral("tick of accessory %1 in the order").arg(tag));
        });
    }

    // A variant in one of the variant lists, opened by a click if need be.
    void chooseVariant()
    {
        const VariantList *open = openVariantList();
        const auto [tag, list] = open ? *open : pick(m_variantLists);
        if (!open) {
            closePopupsFirst();
            if (!clickInside(list, 5))
                return;
            if (!list->view()->isVisible()) {
                check(!list->isEnabled(), QStringLiteral("a click on %1 opened no list").arg(list->objectName()));
                return;
            }
        }
        const int item = below(list->count());
        chooseInOpenList(list, item);
        m_after.push_back([=, tag = tag, list = list] {
            check(!list->view()->isVisible(), QStringLiteral("%1 list still open").arg(list->objectName()));
            same(m_f.order().variant(tag), item, QStringLiteral("variant of accessory %1 in the order").arg(tag));
        });
    }

    void turnWheel()
    {
        static const std::vector<int> deltas = {120, -120, 120, -120, 240, -240, -360, 30, -30, 60, -60, 15, -15, 90};
        const int delta = pick(deltas);
        const QPoint p = nonNull(randomPointIn(m_f.window.rect()));
        log(QStringLiteral("wheel %1 at %2,%3").arg(delta).arg(p.x()).arg(p.y()));
        wheelAt(p, delta);
    }

    void switchLanguage()
    {
        const bool free = closePopupsFirst(70);
        if (clickInside(m_f.languageButton, 5) && free)
            m_after.push_back(
                [this] { check(m_f.order().language() != m_was.language, QStringLiteral("language did not change")); });
    }

    void reset()
    {
        static const std::vector<QMessageBox::StandardButton> answers = {
            QMessageBox::Yes, QMessageBox::Yes, QMessageBox::No, QMessageBox::No, QMessageBox::NoButton};
        closePopupsFirst();
        m_boxes.answer = pick(answers);
        const bool byEsc =
            chance(25) && QApplication::focusWidget() == m_f.channelGrid && !ui::noteEditor(m_f.channelGrid);
        log(QStringLiteral("reset answered %1%2").arg(int(m_boxes.answer)).arg(byEsc ? ", Esc on the grid" : ""));
        if (byEsc)
            key(Qt::Key_Escape);
        else if (!clickInside(m_f.resetButton, 2))
            return;
        settle();
        m_after.push_back(
            [this] { same(int(m_boxes.asked.size()) - m_was.boxes, 1, QStringLiteral("reset questions asked")); });
    }

    void generateDocument()
    {
        closePopupsFirst();
        m_confirmContact = chance(85);
        m_forms.desktop->openResult = chance(85);
        for (QString &text : m_contactTexts)
            text = chance(15) ? QString() : randomText(0, 20);
        log(QStringLiteral("document, contact %1, opener %2")
                .arg(m_confirmContact ? "confirmed" : "cancelled", m_forms.desktop->openResult ? "comes up" : "fails"));
        if (clickInside(m_f.documentButton, 2))
            m_after.push_back(
                [this] { same(m_contactShows - m_was.contactShows, 1, QStringLiteral("contact dialog showings")); });
    }

    // Keys a user presses anywhere, to whatever has the focus (buttons too).
    void pressKey()
    {
        static const std::vector<Qt::Key> keys = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab,
            Qt::Key_Backtab, Qt::Key_Space, Qt::Key_Space, Qt::Key_Home, Qt::Key_End, Qt::Key_Return, Qt::Key_Escape,
            Qt::Key_PageDown, Qt::Key_F2};
        Qt::Key k = pick(keys);
        QWidget *focus = QApplication::focusWidget();
        // Printable keys in the grid are note typing, which has its own action.
        if (k == Qt::Key_Space && (focus == m_f.channelGrid || focus == ui::noteEditor(m_f.channelGrid)))
            k = Qt::Key_Down;
        if (k == Qt::Key_Return || k == Qt::Key_Escape) {
            m_boxes.answer = chance(50) ? QMessageBox::Yes : QMessageBox::No;
            m_confirmContact = chance(70);
            for (QString &contact : m_contactTexts)
                contact = randomText(0, 12);
        }
        log(QStringLiteral("key %1 on %2").arg(QKeySequence(k).toString(), focus ? focus->objectName() : "nothing"));
        key(k);
        settle();
    }

    // The two modal windows, answered as soon as they come up.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (watched != m_forms.kontakt.get()) {
            QTimer::singleShot(
                0, watched, [w = m_forms.image.get()] { QTest::keyClick(w->windowHandle(), Qt::Key_Escape); });
            return false;
        }
        ++m_contactShows;
        ContactDialog *dialog = m_forms.kontakt.get();
        QTimer::singleShot(0, dialog, [dialog, confirm = m_confirmContact, byKey = chance(50), texts = m_contactTexts] {
            ContactControls controls(*dialog);
            for (int i = 0; i < document::ContactLines; ++i)
                controls.edits[std::size_t(i)]->setText(texts[std::size_t(i)]);
            if (confirm && !byKey)
                QTest::mouseClick(
                    dialog->windowHandle(), Qt::LeftButton, {}, controls.continueButton->mapTo(dialog, QPoint(20, 10)));
            else
                QTest::keyClick(dialog->windowHandle(), confirm ? Qt::Key_Return : Qt::Key_Escape);
        });
        return false;
    }

    // The PDF is drawn on a thread of the window's own: waiting is not its time.
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
        const Order &now = m_f.order().order();
        // Message boxes: the reset question, answered as chosen; a warning only
        // at a grid click with no model, or when the opener did not come up.
        bool resetConfirmed = false, resetRefused = false;
        int openerWarnings = 0;
        for (int i = m_was.boxes; i < m_boxes.asked.size(); ++i) {
            const dialogs::Request &box = m_boxes.asked.at(i);
            const AskedWith &with = m_askedWith.at(std::size_t(i));
            if (box.icon == QMessageBox::Question && box.buttons == (QMessageBox::Yes | QMessageBox::No))
                (m_boxes.answer == QMessageBox::No ? resetRefused : resetConfirmed) = true;
            else if (box.icon == QMessageBox::Warning && with.documents > m_was.opened)
                ++openerWarnings;
            else
                check(box.icon == QMessageBox::Warning && with.model == Model::None,
                    QStringLiteral("unexpected message box: ") + box.text);
        }
        // The order document, when one was written.
        const int opened = int(m_forms.desktop->opened.size()) - m_was.opened;
        const bool asked = m_contactShows > m_was.contactShows;
        same(opened, asked && m_confirmContact ? 1 : 0, QStringLiteral("documents opened"));
        same(openerWarnings, asked && m_confirmContact && !m_forms.desktop->openResult ? 1 : 0,
            QStringLiteral("warnings that the opener did not come up"));
        if (opened == 1)
            checkDocument();
        if (asked && m_was.untouched)
            check(now == m_was.order, QStringLiteral("the document command changed the order"));
        check(!m_forms.kontakt->isVisible() && !m_forms.image->isVisible(), QStringLiteral("a dialog stayed open"));
        // The answer to the reset question is kept.
        if (resetConfirmed)
            same(int(now.model), int(Model::None), QStringLiteral("model after a reset"));
        else if (resetRefused && m_was.untouched)
            check(now == m_was.order, QStringLiteral("reset answered No changed the order"));
        // A note changes only by typing it, or by a reset.
        for (int r = 1; r <= Rows && !resetConfirmed; ++r)
            same(now.channel(r).note, r == m_noteRow ? m_noteText : m_was.order.channel(r).note,
                QStringLiteral("note of channel %1 in the order").arg(r));

        for (const auto &after : m_after)
            after();
        checkShown(now);
    }

    // The controls show the order the window's model holds, in its language.
    void checkShown(const Order &order)
    {
        const Language language = m_f.order().language();
        for (const auto &[radio, model] : modelButtons())
            same(radio->isChecked(), order.model == model, radio->objectName() + QStringLiteral(" checked"));
        for (int r = 1; r <= Rows; ++r) {
            const int module = order.channel(r).module;
            same(ui::cell(m_f.channelGrid, 1, r), module == Order::NoModule ? QString() : catalogue::moduleCell(module),
                QStringLiteral("module cell of channel %1").arg(r));
            same(ui::cell(m_f.channelGrid, 2, r), order.channel(r).note,
                QStringLiteral("note cell of channel %1").arg(r));
        }
        for (int t = 1; t <= catalogue::AccessoryCount; ++t) {
            const QCheckBox *box = m_f.accessoryBox(t);
            same(box->isChecked(), order.accessory(t).ticked, QStringLiteral("tick of accessory %1").arg(t));
            same(box->isEnabled(), order.accessory(t).enabled, QStringLiteral("accessory %1 enabled").arg(t));
            same(box->text(), catalogue::accessoryCaption(t, language),
                QStringLiteral("caption of accessory %1").arg(t));
        }
        for (const auto &[tag, list] : m_variantLists) {
            same(list->currentIndex(), order.accessory(tag).variant, QStringLiteral("item of ") + list->objectName());
            same(list->isEnabled(), order.counts(tag), list->objectName() + QStringLiteral(" enabled"));
            same(list->font().bold(), order.accessory(tag).ticked, list->objectName() + QStringLiteral(" bold"));
        }
        for (int s = 0; s < catalogue::AccessorySectionCount; ++s)
            same(m_f.sectionHeadings[std::size_t(s)]->text(), catalogue::sectionHeading(s, language),
                QStringLiteral("heading of section %1").arg(s + 1));
        if (QComboBox *shown = picker()) {
            same(int(shown->count()), catalogue::ModuleCount, QStringLiteral("picker items"));
            for (int i = 0; i < shown->count(); ++i)
                same(shown->itemText(i), catalogue::moduleDescription(i, language),
                    QStringLiteral("picker item %1").arg(i));
        }
        same(m_f.totalLabel->text(), catalogue::priceText(pricing::total(order)), QStringLiteral("total shown"));
        // The scrolled parts move together, within the scroll bar's range.
        const int position = m_f.scrollBar->value();
        check(position >= m_f.scrollBar->minimum() && position <= m_f.scrollBar->maximum(),
            QStringLiteral("scroll position %1").arg(position));
        same(m_f.leftPanel->y() + position, m_leftPanelTop, QStringLiteral("leftPanel top"));
        same(m_f.accessoryGroup->y() + position, m_accessoryGroupTop, QStringLiteral("accessoryGroup top"));
        check(m_f.window.isVisible() && !m_f.window.isMinimized(), QStringLiteral("main window not shown"));
    }

    // The document is the core's for the order now; its PDF beside it, nothing elsewhere.
    void checkDocument()
    {
        ++m_documents;
        const QString rtf = m_documentFolder.filePath(QStringLiteral("formular.rtf"));
        same(QFileInfo(m_forms.desktop->opened.last()).canonicalFilePath(), QFileInfo(rtf).canonicalFilePath(),
            QStringLiteral("document handed to the opener"));
        check(QFileInfo(m_documentFolder.filePath(QStringLiteral("formular.pdf"))).size() > 0,
            QStringLiteral("no PDF beside the document"));
        same(QDir(m_documentFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(QLatin1Char(',')),
            QStringLiteral("formular.pdf,formular.rtf"), QStringLiteral("files in the document folder"));
        QFile file(rtf);
        if (!check(file.open(QIODevice::ReadOnly), QStringLiteral("document not readable")))
            return;
        const Language language = m_f.order().language();
        const QList<QByteArray> got = file.readAll().split('\n');
        const QList<QByteArray> want =
            document::fill(document::templateFor(language), m_f.order().order(), language, m_contactTexts).split('\n');
        const int line = int(std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first - got.begin());
        check(got == want, QStringLiteral("document line %1 is\n    %2\n  expected\n    %3")
                               .arg(line + 1)
                               .arg(QString::fromLatin1(got.value(line)), QString::fromLatin1(want.value(line))));
    }

    struct AskedWith { // when a box came up: the model chosen, the documents opened
        Model model;
        int documents;
    };

    Forms &m_forms;
    MainControls &m_f;
    std::mt19937_64 m_rng;
    BoxAnswers m_boxes;
    std::vector<AskedWith> m_askedWith; // beside m_boxes.asked
    // The session works in a folder of its own: tests beside it write into
    // the one it started in, which it goes back to at its end.
    QString m_previousFolder;
    QTemporaryDir m_documentFolder;
    PrivateConfig m_config;                  // the contact store lives here
    std::vector<VariantList> m_variantLists; // by tag
    int m_leftPanelTop = 0, m_accessoryGroupTop = 0;

    qint64 m_step = 0, m_checks = 0, m_documents = 0;
    QString m_failure;
    std::deque<QString> m_log;
    std::vector<std::function<void()>> m_after;
    QPoint m_pointer;
    bool m_confirmContact = true;
    document::Contact m_contactTexts;
    const char *m_lastAction = "";
    std::function<void(qint64)> m_inputSink;
    std::function<void(const char *, qint64)> m_actionSink;
    qint64 m_actionNanoseconds = 0;
    int m_contactShows = 0;

    struct Before { // taken at the start of every step
        Order order;
        Language language = Language::Czech;
        int boxes = 0, opened = 0, contactShows = 0;
        bool untouched = false, popup = false; // untouched: no picker nor list open, nothing to commit
    } m_was;
    int m_noteRow = 0; // the channel whose note the action typed, 0 for none
    QString m_noteText;
};

// Drops the offscreen platform's note, at every list, that it cannot raise windows.
inline void quietenPlatformNotices()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not support")))
            previous(type, context, message); // Qt's default handler when none was set
    });
}

} // namespace randomtest

using randomtest::RandomSession;
