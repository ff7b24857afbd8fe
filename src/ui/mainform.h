#pragma once

// The order form's main window: every control and every piece of state of
// the order being configured. Handlers are named after control and event.

#include "catalogue.h"
#include "ordermodel.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class PictureBox;
class SpeedButton;
class StringGrid;
class TKontaktForm;
class TImageForm;

class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The two secondary windows, created after this one.
    void setForms(TKontaktForm *kontaktForm, TImageForm *imageForm);

    // ---- controls (objectName = the name here) ----------------------------
    QFrame *Panel1 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    StringGrid *StringGrid1 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QFrame *Panel2 = nullptr;
    PictureBox *Image1 = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    SpeedButton *SpeedButton1 = nullptr;
    QGroupBox *GroupBox4 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label13 = nullptr;
    QLabel *Label14 = nullptr;
    QLabel *Label15 = nullptr;
    QFrame *Panel4 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn3 = nullptr;
    PictureBox *Image2 = nullptr;
    QLabel *Label16 = nullptr;
    QScrollBar *ScrollBar1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QLabel *TextWidthLabel = nullptr;
    std::array<QLabel *, 9> SectionLabels{};    // Label1 .. Label9
    std::array<QFrame *, 10> SectionLines{};    // lines under the headings, and the last one
    std::array<QCheckBox *, catalogue::AccessoryCount> CheckBoxes{}; // CheckBox1 .. CheckBox29
    QComboBox *ComboBox2 = nullptr;
    QComboBox *ComboBox3 = nullptr;

    QCheckBox *checkBox(int tag) const { return CheckBoxes[std::size_t(tag - 1)]; }

    // The order this window shows; every change of it goes through here.
    OrderModel &order() { return m_order; }
    const OrderModel &order() const { return m_order; }

    // ---- hover state -----------------------------------------------------------
    qint32 LastHoveredTag = 0;
    bool GridPictureShown = false;
    int ShownModelPicture = 0; // 0 = none, 1..3 = RadioButton1..3

    catalogue::Language currentLanguage() const;
    catalogue::Model selectedModel() const;
    bool anyModelSelected() const;
    // A radio button's model, and back.
    catalogue::Model modelOf(const QRadioButton *radio) const;
    QRadioButton *radioOf(catalogue::Model model) const;

    // ---- handlers -------------------------------------------------------------
    void FormCreate();
    void FormMouseMove();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void ScrollBar1Change();

    void StringGrid1SelectCell(QObject *sender, int column, int row);
    void StringGrid1DrawCell(QPainter &painter, int column, int row, const QRect &rect);
    void StringGrid1MouseDown(QObject *sender);
    void StringGrid1MouseMove(int x, int y);
    void Panel1MouseMove();
    void ComboBox1Exit();
    void ComboBox1KeyPress(int key);

    void ComboBox2Change();
    void ComboBox3Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    void SpeedButton1Click();

    void ShowPicture(int number);
    void ClearPicture();
    void RadioButton1MouseMove();
    void RadioButton2MouseMove();
    void RadioButton3MouseMove();
    void CheckBoxMouseMove(QCheckBox *sender);
    void GroupBox1MouseMove();
    void GroupBox2MouseMove();
    void Image2Click();

    void GenerateOrderDocument();
    void warnOpenerFailed(catalogue::Language language);

    static const char *const MakerWebAddress;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // layout
    void buildControls();
    void buildModelGroup();
    void buildGrid();
    void buildRightSide();
    void buildAccessories();
    void wireHandlers();
    void followOrder();
    void showChannel(int channel);
    void showTick(int tag, bool ticked);
    void showModel(catalogue::Model model);
    void showLanguage();
    // dispatch of pointer and wheel events to the handlers
    void dispatchMouseMove(QWidget *target, const QPoint &globalPos);
    bool routeWheel(QWidget *receiver, QWheelEvent *event);
    // helpers
    void modelButtonClick(QRadioButton *own);
    void radioButtonMouseMove(int own);
    void setRadioFontsBold(int bold);
    void setCheckBoxBold(QCheckBox *box, bool bold);
    void fitCheckBoxWidth(QCheckBox *box);
    void showModuleInfo(int index);
    void showAccessoryInfo(int tag);
    bool pickerListOpen() const;
    void scrollIntoView(QWidget *control);

    OrderModel m_order;
    TKontaktForm *m_kontaktForm = nullptr;
    TImageForm *m_imageForm = nullptr;
    bool m_openingDocument = false; // a written document's opener is coming up
    bool m_inPickerExit = false;
    bool m_focusLeavingPicker = false;
    bool m_pickerOpenedByPress = false;
    int m_wheelAccumulator = 0;
};
