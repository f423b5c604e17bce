// The loading ramp under the loading plan: a catalogue strip with its side panel, and the selected item as
// a block on a ramp as long as the load area, which the user turns and drags onto the plan.
#pragma once

#include "catalogue/IAddMultiLgOwner.h"
#include "catalogue/IHlbAdapterOwner.h"
#include "draw2d/CMemBm.h"
#include "model/files/CHlbCatalogue.h"
#include "views/ILoadingRamp.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class CDlgTooltipAddMultiLg;
class CEditLast;
class CHListbox;
class CHlbAdapter;
class CHlbSearchFields;
class CRibBtnContainer;
class IRampenView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct SLadungVorlage;
struct tagItemData;

class CLaderampe3 : public QWidget, public ILoadingRamp, public IHlbAdapterOwner, public IAddMultiLgOwner
{
    Q_OBJECT
public:
    // Control ids and commands.
    static constexpr int kIdListe = 1341;
    static constexpr int kIdLadeeinheiten = 1348;
    static constexpr int kIdFsm = 1349;
    static constexpr int kIdFilter = 1343;
    static constexpr int kIdLeeren = 1342;
    static constexpr int kIdSuche = 1345;
    static constexpr int kIdAnsicht = 1344;
    static constexpr int kIdEditor = 878;
    static constexpr int kIdMehrere = 402;
    static constexpr int kStreifenEditor = 444;
    static constexpr int kStreifenMehrere = 445;
    // Colours (RGB) of the panel, a load-unit block and a form-fit block.
    static constexpr QRgb kFarbePanel = 0xFFC8D8ED;
    static constexpr QRgb kFarbeLadung = 0xFFCACD54;
    static constexpr QRgb kFarbeFsm = 0xFF14897A;
    // Block geometry in pixels.
    static constexpr int kBlockOben = 10;
    static constexpr int kFsmBreite = 30;
    static constexpr int kFsmHoehe = 45;
    static constexpr int kFsmRundung = 16;
    static constexpr int kMarke = 10;
    static constexpr int kDreieck = 8;
    // The ramp is this high (metres, held in single precision).
    static constexpr float kRampenHoehe = 3.4f;
    // The band with the panel and the tile strip along the bottom of the plan's window (pixels).
    static constexpr int kLeistenHoehe = 153;
    // A block whose top rises this far above the ramp goes to the plan.
    static constexpr int kUebergabe = 3;
    // Cursors over a block, while dragging, while turning.
    static constexpr int kCursorBlock = 251;
    static constexpr int kCursorZiehen = 252;
    static constexpr int kCursorDrehen = 893;
    // Answer of the form-fit edit when cancelled.
    static constexpr int kFsmAbbruch = 705;

    // Opens the item browser at a screen point with the strip's category and search text; modal.
    using EditorOeffner =
        std::function<void(QWidget* pRampe, QPoint ptUntenLinks, int nKategorie, const QString& suche)>;
    // The item browser the ramp's command 878 opens; none disables the button.
    static void SetEditorOeffner(EditorOeffner oeffner);
    static bool HasEditorOeffner();

    explicit CLaderampe3(std::shared_ptr<CHlbCatalogue> catalogue);
    ~CLaderampe3() override;

    // ILoadingRamp: `pOwnerView` must be a view that implements IRampenView.
    bool Create(QWidget* pOwnerView, int nId, int nX, int nY) override;
    void SetOffsets(int nA, int nB) override;
    bool CalcExtent(int nX, int nY) override;
    void Reposition(int nY) override;
    bool IsVisible() const override { return !isHidden(); }
    QPoint GetPlanOrigin() const override { return QPoint(m_nX, m_nY); }
    bool IsRepositionPending() const override { return m_bLayoutOffen; }
    int GetExtentX() const override { return m_nBreite; }
    QRect GetWindowRect() const override { return geometry(); }
    int GetLeistenHoehe() const override { return kLeistenHoehe; }
    double GetHoeheMeter() const override { return static_cast<double>(kRampenHoehe); }
    void ResetIndices() override;
    void Show(bool bShow) override;

    // The strip's notifications.
    void SelectionChanged(const sHLBItemData* entry) override;
    void ViewModeChanged(int mode) override;
    void ListRefilled() override;
    void EntryActivated(const sHLBItemData* entry) override;
    // A tile dragged out of this strip or the item browser's: over the plan it is placed as from the ramp.
    bool TileDragStart(const CHlbCatalogue::Entry& entry, QPoint global) override;
    void TileDragMove(QPoint global) override;
    void TileDragEnd(QPoint global) override;
    bool KachelZiehen() const { return m_pKachel != nullptr; }
    // The add-several popup.
    void AnzahlGeaendert(int nAnzahl) override;
    void MehrereHinzufuegen(int nAnzahl, double dTonnen) override;

    // Runs a command of the panel (878, 1342, 1344, 1348, 1349, 402); false for another id.
    bool OnBefehl(int nId);
    // Brings the buttons' enabled states up to date (the idle pass does it too).
    void AktualisiereKnoepfe();

    // Layout, in the ramp's pixels.
    int GetRampenLaenge() const { return m_nLaenge; }
    int GetRampenHoehe() const { return m_nHoehe; }
    QRect GetRampenRect() const;
    // A control's rectangle in the band: the panel table's, widened where a text needs it, moved by
    // the layout offsets; the strip fills the band right of the panel.
    QRect ControlRect(int nId) const;
    // The band along the bottom of the plan's window with the panel and the strip; a child of the
    // plan's window, shown with the ramp.
    QWidget* Leiste() const { return m_pLeiste; }
    // Rotation (0, 90, 180, 270) and the block where the selected item stands; empty without one.
    int GetDrehung() const { return m_nDrehung; }
    void SetDrehung(int nGrad);
    QRect GetBlockRect() const;
    // The centre of gravity of the block (ramp pixels) and the corners of the front triangle.
    QPoint GetSchwerpunktPunkt() const;
    QPolygon GetFrontDreieck() const;
    // The four rotation marks outside the corners of the block: top-left, top-right, bottom-right,
    // bottom-left; and whether they show or are pressed.
    QRect GetMarke(int nEcke) const;
    bool MarkenSichtbar() const { return m_bMarken; }
    bool MarkenGedrueckt() const { return m_bMarkenGedrueckt; }
    // The corner mark under a point, -1 for none.
    int MarkeBei(QPoint pt) const;
    // The quadrant of a point around the rotation centre: 0 left, 3 left below, 1 right, 2 right below.
    static int Viertel(QPoint pt, QPoint mitte);
    // A rotation turned by the quadrants from `nVon` to `nNach`, within 0..359.
    static int Gedreht(int nDrehung, int nVon, int nNach);

    const sHLBItemData* GetEintrag() const { return m_pEintrag.get(); }
    bool LadungZiehen() const { return m_bLeZiehen; }
    bool FsmZiehen() const { return m_bFsmZiehen; }
    bool ImView() const { return m_bAnView; }
    int GetCursorId() const { return m_nCursor; }
    // The text of button 402: copies and mass, "???" without a selection.
    QString MehrereText() const;
    // The item of the selected entry as the plan takes it.
    SLadungVorlage Vorlage() const;
    static SLadungVorlage VorlageAus(const tagItemData& item);

    CHlbAdapter* Adapter() const { return m_pAdapter.get(); }
    CHlbSearchFields* Suchfelder() const { return m_pSuchfelder.get(); }
    CHListbox* Liste() const { return m_pListe; }
    CDlgTooltipAddMultiLg* Popup() const { return m_pPopup; }
    CRibBtnContainer* StreifenEditor() const { return m_pStreifenEditor; }
    CRibBtnContainer* StreifenMehrere() const { return m_pStreifenMehrere; }
    QWidget* Control(int nId) const;
    // The fixed keyboard order of the panel.
    static const std::vector<int>& TabReihe();
    // The ramp drawn as it shows.
    QImage Bild();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void ErzeugeControls();
    void LayoutControls();
    // The band at the bottom of the plan's window, its controls laid out.
    void LegeLeiste();
    int PanelBreite() const;
    QPoint StreifenEditorPos() const;
    QPoint StreifenMehrerePos() const;
    void Zeichne(QPainter& p);
    void ZeichneBlock(QPainter& p, const QRect& rc);
    void SchreibeMehrere();
    void SetCursor(int nId);
    void FokusAuf(int nId);
    // Moves the focus on from `fokus` through the panel's fixed order; false when it is not in it.
    bool TabWeiter(QWidget* fokus, bool next);
    // The entry on the ramp leaves: no block and no popup mass.
    void EintragWeg();
    // Mouse steps.
    void Hover(QPoint pt);
    void ZiehenLadung(QPoint pt);
    void ZiehenFsm(QPoint pt);
    void LoslassenFsm();
    void Ende();
    QPoint ZuView(QPoint pt) const { return pt + pos(); }
    QRect LadungsClip(int nTop) const;
    static QPoint Begrenze(QPoint pt, const QRect& rc);
    int VorderRandPixel() const;

    std::shared_ptr<CHlbCatalogue> m_catalogue;
    std::unique_ptr<CHlbAdapter> m_pAdapter;
    std::unique_ptr<CHlbSearchFields> m_pSuchfelder;
    IRampenView* m_pView = nullptr;
    QPointer<QWidget> m_pViewWidget;
    CHListbox* m_pListe = nullptr;
    QRadioButton* m_pLadeeinheiten = nullptr;
    QRadioButton* m_pFsm = nullptr;
    QLabel* m_pLabelFilter = nullptr;
    QLineEdit* m_pFilter = nullptr;
    QPushButton* m_pLeeren = nullptr;
    QLabel* m_pLabelSuche = nullptr;
    CEditLast* m_pSuche = nullptr;
    QCheckBox* m_pAnsicht = nullptr;
    QPointer<QWidget> m_pLeiste; // the band; a child of the view's client area
    CRibBtnContainer* m_pStreifenEditor = nullptr;
    CRibBtnContainer* m_pStreifenMehrere = nullptr;
    CDlgTooltipAddMultiLg* m_pPopup = nullptr;
    QFont m_font;
    QFont m_fontName;
    QFont m_fontSenkrecht;
    QImage m_muster;
    CMemBm m_bmEnde;
    CMemBm m_bmSchwerpunkt;

    int m_nId = 0;
    int m_nX = 0;
    int m_nY = 0;
    int m_nTop = 0;
    int m_nLaenge = 0;
    int m_nHoehe = 0;
    int m_nBreite = 100;
    int m_nFensterHoehe = 100;
    int m_nOffsetA = 0;
    int m_nOffsetB = 0;
    bool m_bLayoutOffen = false;
    bool m_bEditorOffen = false;

    CHlbCatalogue::Entry m_pEintrag;
    int m_nIndex = -1;

    int m_nDrehung = 0;
    bool m_bMarken = false;
    bool m_bMarkenGedrueckt = false;
    bool m_bLeZiehen = false;
    bool m_bFsmZiehen = false;
    bool m_bAnView = false;
    QPoint m_ptGriff;
    CHlbCatalogue::Entry m_pKachel; // the entry of a tile being dragged out of a strip
    QRect m_rcClip;
    QRect m_rcZiehen;
    int m_nViertel = 0;
    QPoint m_ptDrehMitte;
    int m_nCursor = 0;
    bool m_bFsmGueltig = false;
    double m_dFsm[4] = {0.0, 0.0, 0.0, 0.0}; // x, y, length, width of the free place (metres)
    int m_nFsmIndex = -1;
};
