// The sheet image, the output target "画像ソフトに出力".
#include "Unit1.h"

// Not drawn yet: with this target the output commands produce no sheet.
void TForm1::RenderSheetImage() {}
