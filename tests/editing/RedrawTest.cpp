// Partial redraws of the label picture against whole ones (RedrawCases.h).
#include "editing/RedrawCases.h"

TEST(Redraw, EditsDrawnInPartEqualAWholeRedraw) { RedrawCases::RunAll(); }
