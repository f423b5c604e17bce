// How far the load-securing wizard has been entered, and where a page change lands.
#pragma once

// The marker's absolute value less one is the furthest page index entered (the reach); a negative
// marker means that page has been entered only once since the last restart.
class LgSichgReach
{
public:
    int Marker() const { return m_nMarker; }
    int Reach() const { return (m_nMarker < 0 ? -m_nMarker : m_nMarker) - 1; }
    // The marker becomes nValue + 1: 8 makes every page reachable, -4, -5 and -7 restart the reach so
    // that index 3, 4 or 6 and every later page count as new again.
    void Set(int nValue) { m_nMarker = nValue + 1; }
    // A page change to nTarget moves the reach: beyond it, the target becomes the furthest page entered
    // once; the furthest page entered again loses its first-time mark.
    void Enter(int nTarget);
    // Whether the page at nIndex counts as newly entered now.
    bool IsNew(int nIndex) const;

    // The page a change to nTarget lands on after the active page answered nAnswer (-2 refuses, -1
    // accepts, an index in range redirects, anything else refuses); -1 when refused.
    static int ResolveTarget(int nTarget, int nAnswer, int nPageCount);

private:
    int m_nMarker = 0;
};
