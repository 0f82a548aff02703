// The one place where the editor's session state (editor.h) is defined.
#include "editor.h"

Text WindowTitle, CompiledText, ChartArgument;
int32_t CurrentBox = 0, NarrowRowEdit = 0, TextDropY = 0, DrawCurrentBox = 0;
int32_t FillCurrentBox = 0, LineShiftY = 0;
int32_t PickedColour = 0, ApplyPickedColour = 0;
SwapState SwapMode = SwapState::Off;
