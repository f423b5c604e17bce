// The load-securing wizard: start modes, page flow and the answers to its view.
#include "FakeLgSicherungView.h"
#include "loadsecuring/CPshLgSichgWizard.h"

#include <gtest/gtest.h>

TEST(PshLgSichgWizard, StartModeKeepsTheModeValueAndTheFormedUnitFlagApart)
{
    struct Case
    {
        int nMode;
        int nValue;
        bool bFormedUnit;
    };
    for (const Case& c : {Case{0, 0, false}, Case{1, 0, true}, Case{2, 2, false}, Case{3, 3, false}}) {
        SCOPED_TRACE(c.nMode);
        FakeLgSicherungView view;
        CPshLgSichgWizard wizard(403, &view, 0);
        wizard.SetView(&view);
        wizard.SetStartMode(c.nMode);
        EXPECT_EQ(wizard.GetStartMode(), c.nValue);
        EXPECT_EQ(wizard.IsFormedUnitStart(), c.bFormedUnit);
        EXPECT_EQ(wizard.GetView(), &view);
    }
}
