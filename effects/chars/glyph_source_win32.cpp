// Character maps from the module's bitmap resources.
#include <windows.h>

#include "glyph_sheet.h"
#include "plugin.h"

namespace zk {

bool LoadResourceGlyphSheet(const GlyphMapChoice& map, GlyphSheet* sheet) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(static_cast<HINSTANCE>(ModuleInstance()),
                                                   MAKEINTRESOURCEA(map.sheetId), IMAGE_BITMAP, 0,
                                                   0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return false;
  BITMAP shape{};
  bool ok = GetObjectA(bitmap, sizeof shape, &shape) != 0 &&
            AllocateGlyphSheet(shape.bmWidth, shape.bmHeight, 24, sheet);
  if (ok) {
    // A negative height asks for the top row first; 24-bit rows come padded to 4 bytes,
    // the sheet's own stride.
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = sheet->width;
    request.bmiHeader.biHeight = -sheet->height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 24;
    request.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(sheet->height),
                                sheet->rows.get(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    ok = lines == sheet->height;
  }
  DeleteObject(bitmap);
  return ok && FinishGlyphSheet(map, sheet);
}

}  // namespace zk
