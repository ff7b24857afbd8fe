#pragma once

// The order form's main window. It builds the panes (the model chooser, the
// accessory panel, the price-and-picture pane) and the channel grid, and
// wires them through the order model and their signals. What belongs to the
// window alone stays here: the scrolling of the left half, the wheel, the
// focus, where the module picker opens, what the picture area shows as the
// pointer moves from pane to pane, and the document command.
//
// The implementation is split by subject: mainwindow.cpp (creation,
// wiring, scrolling, wheel and keys), _layout, _grid, _accessories (model
// choice and reset), _language, _hover and _document.

#include "catalogue.h"
#include "ordermodel.h"
#include "orderpdf.h"

#include <QWidget>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;
class PictureBox;
class GlyphButton;
class ChannelGrid;
class ChannelTableModel;
class QComboBox;
class QModelIndex;
class ContactDialog;
class DiagramWindow;
class ModelChooser;
class AccessoryPanel;
class ItemPane;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The two secondary windows, children of this one, built when they are
    // first needed.
    ContactDialog *contactDialog();
    DiagramWindow *diagramWindow();

    // The order this window shows; every change of it goes through here.
    OrderModel &order() { return m_order; }

    // What the picture area shows at the moment, so that a picture is
    // decoded only when the item under the pointer changes.
    struct HoverState {
        int lastAccessory = 0;         // tag; -1 once something else has been shown
        bool gridPictureShown = false; // the grid's picture is up
        int modelPicture = 0;          // 0 = none, else the hovered model (catalogue::Model)
    };
    const HoverState &hoverState() const { return m_hover; }

    static const char *const MakerWebAddress;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // ---- building and wiring (mainwindow_layout.cpp, mainwindow.cpp) --------------------
    void buildControls();
    void buildGrid();
    void wireHandlers();
    // What the order's language decides; the window's texts follow the
    // installed catalogue (retranslate, on every QEvent::LanguageChange).
    void showLanguage();
    void retranslate();

    // ---- input ------------------------------------------------------------------------
    void chooseModel(catalogue::Model model);
    void requestReset();
    void requestDocument();
    void writeAndOpenDocument();
    void finishPendingPdf();
    void writePdfAndOpen(const QString &path, const QString &pdfPath, const QByteArray &pdf);
    void showDiagram();

    // ---- the grid and its module picker (mainwindow_grid.cpp) ------------------------
    void openPickerAt(QObject *sender, const QModelIndex &cell);
    void gridPressed();
    void hoverGrid(const QModelIndex &cell);

    // ---- what the picture area shows (mainwindow_hover.cpp) ------------------------------
    void clearPicture();
    void showAccessoryInfo(int tag, const catalogue::Accessory &row);

    // ---- scrolling, the wheel and the focus ---------------------------------------------
    bool routeWheel(QWidget *receiver, QWheelEvent *event);
    void scrollLeftHalf();
    void scrollIntoView(QWidget *control);
    // The left half: the panel's top at rest, and the room between the panel
    // and the accessory group below it.
    static constexpr int LeftHalfTop = 5;
    static constexpr int LeftHalfGap = 5;

    // ---- controls (their object names: controlnames.h) ----------------------------------------
    PictureBox *m_logo = nullptr;
    QFrame *m_leftPanel = nullptr;
    ModelChooser *m_modelChooser = nullptr;
    ChannelGrid *m_channelGrid = nullptr;
    ChannelTableModel *m_channelTable = nullptr;
    ItemPane *m_itemPane = nullptr;
    AccessoryPanel *m_accessoryPanel = nullptr;
    QFrame *m_buttonPanel = nullptr;
    QPushButton *m_diagramButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_documentButton = nullptr;
    GlyphButton *m_languageButton = nullptr;
    QScrollBar *m_scrollBar = nullptr;

    OrderModel m_order;
    ContactDialog *m_contactDialog = nullptr;
    DiagramWindow *m_diagramWindow = nullptr;
    HoverState m_hover;
    bool m_openingDocument = false; // a written document's PDF or opener is coming up
    struct PendingPdf {
        orderpdf::Drawing drawing;
        QString path;
    };
    std::optional<PendingPdf> m_pendingPdf; // a written RTF's PDF, until it is written too
    int m_wheelAccumulator = 0;
};
