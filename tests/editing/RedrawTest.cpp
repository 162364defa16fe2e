// Partial redraws of the label picture against whole ones, and a crowded
// label drawn on two threads against one (RedrawCases.h).
#include "editing/RedrawCases.h"

TEST(Redraw, EditsDrawnInPartEqualAWholeRedraw) { RedrawCases::RunAll(); }

TEST(Redraw, CrowdedLabelOnTwoThreadsEqualsOneThread) { RedrawCases::RunCrowded(); }
