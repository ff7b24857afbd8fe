#pragma once

// The order form's main window: it shows the order model and turns what the
// user does into operations on it. What belongs to the window alone stays
// here: where the module picker opens and what its commit shows, the hover
// information, the focus, the wheel and the scrolling of the left half. The
// grid itself (channelgrid.h) draws the channels and runs its two editors.
//
// The implementation is split by subject: mainwindow.cpp (creation,
// scrolling, wheel and event dispatch), _layout, _grid, _accessories,
// _language, _hover and _document.

#include "catalogue.h"
#include "ordermodel.h"
#include "orderpdf.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class PictureBox;
class GlyphButton;
class ChannelGrid;
class ChannelTableModel;
class QModelIndex;
class ContactDialog;
class DiagramWindow;

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
    const OrderModel &order() const { return m_order; }

    // Shows compiled-in picture `number` (1 to 35) in the picture area.
    void showPicture(int number);

    // What the hover shows at the moment, so that a picture is decoded only
    // when the hovered item changes.
    struct HoverState {
        int lastAccessory = 0;         // tag; -1 once a list choice has shown its own
        bool gridPictureShown = false; // the grid's picture is up
        int modelPicture = 0;          // 0 = none, 1 to 3 = the model buttons
    };
    const HoverState &hoverState() const { return m_hover; }

    static const char *const MakerWebAddress;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // ---- building (mainwindow_layout.cpp) ---------------------------------------
    void buildControls();
    void buildModelGroup();
    void buildGrid();
    void buildRightSide();
    void buildAccessories();
    void wireHandlers();
    void startUp();

    // ---- following the order ------------------------------------------------------
    void followOrder();
    void showModel(catalogue::Model model);
    void showTick(int tag);
    void showEnabled(int tag);
    void showVariantList(int tag);
    void showLanguage();

    // ---- input --------------------------------------------------------------------
    catalogue::Language currentLanguage() const { return m_order.language(); }
    bool anyModelSelected() const { return m_order.model() != catalogue::Model::None; }
    catalogue::Model modelOf(const QRadioButton *button) const;
    QRadioButton *buttonOf(catalogue::Model model) const;
    QCheckBox *accessoryBox(int tag) const { return m_accessoryBoxes[std::size_t(tag - 1)]; }
    void modelButtonClick(QRadioButton *own);
    QComboBox *variantList(int tag) const; // nullptr for a box without one
    void accessoryClicked(int tag, bool ticked);
    void variantChosen(int tag);
    void requestReset();
    void requestDocument();
    void writeAndOpenDocument();
    void finishPendingPdf();
    void writePdfAndOpen(
        const QString &path, const QString &pdfPath, const QByteArray &pdf, catalogue::Language language);
    void warnOpenerFailed(catalogue::Language language);
    void showDiagram();
    void switchLanguage();
    void openMakerSite();

    // ---- the grid and its module picker (mainwindow_grid.cpp) ------------------------
    void openPickerAt(QObject *sender, const QModelIndex &cell);
    void pickerListClosed();
    void gridPressed();

    // ---- hover (mainwindow_hover.cpp) -----------------------------------------------------
    // The pointer has moved over `target`, the enabled control under it (the
    // grid reports its own).
    void dispatchMouseMove(QWidget *target);
    void hoverWindow();
    void hoverLeftPanel();
    void hoverGrid(const QModelIndex &cell);
    void hoverModelGroup();
    void hoverModelButton(int own);
    void hoverAccessoryGroup();
    void hoverAccessory(QCheckBox *sender);
    void clearPicture();
    bool loadPicture(int number, QImage *picture);
    void setModelButtonsBold(int bold);
    void setAccessoriesBold(QCheckBox *only);
    static void setBold(QWidget *control, bool bold);
    void fitAccessoryBoxWidth(QCheckBox *box);
    // The price group's item line: an order code and its price.
    void showItem(const QString &orderCode, const QString &price);
    void showNoItem();
    void showModuleInfo(int index);
    void showAccessoryInfo(int tag);
    void showAccessoryItem(int tag, int variant);

    void watch(QWidget *widget);

    // ---- scrolling and the wheel ------------------------------------------------------------
    bool routeWheel(QWidget *receiver, QWheelEvent *event);
    void scrollStepDown();
    void scrollStepUp();
    void scrollLeftHalf();
    void scrollIntoView(QWidget *control);
    // The left half: the panel's top at rest, and the room between the panel
    // and the accessory group below it.
    static constexpr int LeftHalfTop = 5;
    static constexpr int LeftHalfGap = 5;

    // ---- controls (their object names: controlnames.h) ----------------------------------------
    PictureBox *m_logo = nullptr;
    QLabel *m_versionLabel = nullptr;
    QFrame *m_leftPanel = nullptr;
    QGroupBox *m_modelGroup = nullptr;
    QRadioButton *m_tq8Button = nullptr;
    QRadioButton *m_tq8rButton = nullptr;
    QRadioButton *m_assemblyButton = nullptr;
    ChannelGrid *m_channelGrid = nullptr;
    ChannelTableModel *m_channelTable = nullptr;
    QFrame *m_picturePanel = nullptr;
    PictureBox *m_picture = nullptr;
    QGroupBox *m_accessoryGroup = nullptr;
    QLabel *m_textMeasure = nullptr;
    std::array<QLabel *, catalogue::AccessorySectionCount> m_sectionHeadings{};
    // Under each heading, and one above the last row.
    std::array<QFrame *, catalogue::AccessorySectionCount + 1> m_sectionLines{};
    std::array<QCheckBox *, catalogue::AccessoryCount> m_accessoryBoxes{}; // by tag - 1
    QComboBox *m_adapterList = nullptr;
    QComboBox *m_cableList = nullptr;
    QFrame *m_buttonPanel = nullptr;
    QPushButton *m_diagramButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_documentButton = nullptr;
    QGroupBox *m_languageGroup = nullptr;
    GlyphButton *m_languageButton = nullptr;
    QScrollBar *m_scrollBar = nullptr;
    QGroupBox *m_priceGroup = nullptr;
    QLabel *m_orderCodeCaption = nullptr;
    QLabel *m_orderCodeLabel = nullptr;
    QLabel *m_itemPriceCaption = nullptr;
    QLabel *m_itemPriceLabel = nullptr;
    QLabel *m_totalCaption = nullptr;
    QLabel *m_totalLabel = nullptr;

    OrderModel m_order;
    ContactDialog *m_contactDialog = nullptr;
    DiagramWindow *m_diagramWindow = nullptr;
    HoverState m_hover;
    QPointer<QCheckBox> m_boldAccessory; // the box the hover made bold
    bool m_openingDocument = false;      // a written document's PDF or opener is coming up
    struct PendingPdf {
        orderpdf::Drawing drawing;
        QString path;
    };
    std::optional<PendingPdf> m_pendingPdf; // a written RTF's PDF, until it is written too
    int m_wheelAccumulator = 0;
};
