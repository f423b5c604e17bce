// A view for the drawing tests: answers a scripted state and records what the drawings leave behind.
#pragma once

#include "draw2d/IPlanDrawView.h"

#include <QPainter>

#include <map>
#include <string>
#include <utility>
#include <vector>

class RecordingPlanView : public IPlanDrawView
{
public:
    // Scripted state.
    CQOR1Doc* m_pDoc = nullptr;
    bool m_bExport = false;
    bool m_bPrinting = false;
    int m_nShiftX = 0;
    int m_nShiftY = 0;
    int m_nAktivIndex = 1;
    bool m_bTowingPair = false;
    int m_nPixProMeter = 194;
    double m_dZoom = 0.25;
    QRect m_rcLadeflaeche;
    int m_nSelAchse = -1;
    const tagZLINFO* m_pEditZL = nullptr;

    // What was left behind.
    std::map<HotSpot, QRect> m_hot;
    std::map<std::pair<AuflagerSpot, int>, QRect> m_auf;
    std::map<int, std::pair<QRect, std::string>> m_tips;
    std::vector<int> m_removedTips;
    std::vector<std::pair<int, QRect>> m_labels; // in the order reported; id 0 clears
    double m_dSchwerpunkt = -1.0;
    std::vector<QRect> m_achsTracker;
    std::vector<QRect> m_zlTracker;

    CQOR1Doc* GetDocument() const override { return m_pDoc; }
    bool IsBildExport() const override { return m_bExport; }
    bool IsPrinting() const override { return m_bPrinting; }
    int GetDrawShiftX() const override { return m_nShiftX; }
    int GetDrawShiftY() const override { return m_nShiftY; }
    int GetViewAktivIndex() const override { return m_nAktivIndex; }
    bool HasTowingPair() const override { return m_bTowingPair; }
    int MetresToPixels(double m) const override { return static_cast<int>(m_nPixProMeter * m * m_dZoom); }
    QRect GetLadeflaecheRect() const override { return m_rcLadeflaeche; }
    int GetSelAchse() const override { return m_nSelAchse; }
    const tagZLINFO* GetEditZL() const override { return m_pEditZL; }

    void SetHotSpot(HotSpot which, const QRect& rc) override { m_hot[which] = rc; }
    void SetToolTip(int toolId, const QRect& rc, const std::string& text) override
    {
        m_tips[toolId] = {rc, text};
    }
    void RemoveToolTip(int toolId) override
    {
        m_removedTips.push_back(toolId);
        m_tips.erase(toolId);
    }
    void SetLabelRect(int id, const QRect& rc) override { m_labels.emplace_back(id, rc); }
    void SetSchwerpunktPos(double x) override { m_dSchwerpunkt = x; }
    void SetAuflagerRect(AuflagerSpot which, int index, const QRect& rc) override
    {
        m_auf[{which, index}] = rc;
    }
    void ZeichneAchsTracker(QPainter& painter, const QRect& rc) override
    {
        m_achsTracker.push_back(rc);
        painter.save();
        painter.setPen(QPen(Qt::magenta, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rc);
        painter.restore();
    }
    void ZeichneZLTracker(QPainter& painter, const QRect& rc) override
    {
        m_zlTracker.push_back(rc);
        painter.save();
        painter.setPen(QPen(Qt::magenta, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rc);
        painter.restore();
    }

    // Label ids in report order, without the clearing 0s.
    std::vector<int> LabelIds() const
    {
        std::vector<int> ids;
        for (const auto& [id, rc] : m_labels)
            if (id != 0)
                ids.push_back(id);
        return ids;
    }
};
