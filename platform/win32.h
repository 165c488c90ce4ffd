// The one platform header of the upper layers. On Windows it is the real
// thing; everywhere else it declares the small subset of Win32 USER, GDI and
// DirectDraw that the program calls, with the real names, types, constants
// and signatures, so that the code above reads as it would on Windows.
#ifndef KELVANE_PLATFORM_WIN32_H
#define KELVANE_PLATFORM_WIN32_H

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <ddraw.h>
#else

#include <cstdint>

#define WINAPI
#define CALLBACK
#define STDMETHODCALLTYPE
#define FAR

typedef int BOOL;
typedef unsigned char BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef unsigned int UINT;
typedef std::int32_t HRESULT;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef std::uintptr_t UINT_PTR;
typedef std::intptr_t LONG_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef WORD ATOM;
typedef DWORD COLORREF;
typedef void* HGDIOBJ;
typedef void* HANDLE;

// Distinct handle types, as with the real headers' STRICT declarations.
#define KELVANE_DECLARE_HANDLE(name) \
  struct name##__;                   \
  typedef struct name##__* name
KELVANE_DECLARE_HANDLE(HWND);
KELVANE_DECLARE_HANDLE(HINSTANCE);
KELVANE_DECLARE_HANDLE(HDC);
KELVANE_DECLARE_HANDLE(HPEN);
KELVANE_DECLARE_HANDLE(HBRUSH);
KELVANE_DECLARE_HANDLE(HICON);
KELVANE_DECLARE_HANDLE(HMENU);
KELVANE_DECLARE_HANDLE(HFONT);
#undef KELVANE_DECLARE_HANDLE
typedef HICON HCURSOR;

#define FALSE 0
#define TRUE 1

#define LOWORD(l) ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) ((LONG)(((WORD)(((UINT_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((UINT_PTR)(b)) & 0xffff))) << 16))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define MAKEINTRESOURCEA(i) ((LPSTR)((UINT_PTR)((WORD)(i))))

struct POINT {
  LONG x;
  LONG y;
};
typedef POINT* LPPOINT;

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef RECT* LPRECT;

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
typedef MSG* LPMSG;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

// Window messages.
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202

#define WA_INACTIVE 0
#define WA_ACTIVE 1

#define MK_LBUTTON 0x0001

#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_F1 0x70
#define VK_F11 0x7A
#define VK_OEM_PLUS 0xBB
#define VK_OEM_MINUS 0xBD

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define WS_POPUP 0x80000000L
#define WS_VISIBLE 0x10000000L
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define GWL_STYLE (-16)
#define HWND_TOPMOST ((HWND)(LONG_PTR)-1)
#define HWND_NOTOPMOST ((HWND)(LONG_PTR)-2)
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SIZE_RESTORED 0
#define WS_EX_TOPMOST 0x00000008L
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)

// USER
ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass);
HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, void* lpParam);
int WINAPI GetSystemMetrics(int nIndex);
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
BOOL WINAPI UpdateWindow(HWND hWnd);
HWND WINAPI SetFocus(HWND hWnd);
BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
LRESULT WINAPI DispatchMessageA(const MSG* lpMsg);
BOOL WINAPI WaitMessage(void);
#define WAIT_OBJECT_0 0
#define WAIT_TIMEOUT 258
#define QS_ALLINPUT 0x04FF
// Only nCount 0 is provided: a wait for input that gives up after
// dwMilliseconds.
DWORD WINAPI MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll, DWORD dwMilliseconds,
                                       DWORD dwWakeMask);
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int nExitCode);
int WINAPI ShowCursor(BOOL bShow);
// Only GWL_STYLE; the new style takes effect with SetWindowPos.
LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong);
// Windows of the subset have no non-client area in pixels: the host draws
// any frame outside them, so the client area is the whole window.
BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
// The client area's device context: true colour, the target of StretchBlt
// and PatBlt; ReleaseDC shows what was drawn.
HDC WINAPI GetDC(HWND hWnd);
int WINAPI ReleaseDC(HWND hWnd, HDC hDC);

// GDI
#define PS_SOLID 0

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color);
HBRUSH WINAPI CreateSolidBrush(COLORREF color);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
BOOL WINAPI DeleteObject(HGDIOBJ ho);
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL WINAPI LineTo(HDC hdc, int x, int y);
BOOL WINAPI Polygon(HDC hdc, const POINT* apt, int cpt);
BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom);

#define CLR_INVALID 0xFFFFFFFF
#define WHITE_BRUSH 0
#define BLACK_PEN 7
#define ANSI_FIXED_FONT 11
#define SYSTEM_FIXED_FONT 16
#define TRANSPARENT 1
#define OPAQUE 2

HGDIOBJ WINAPI GetStockObject(int i);

#define SRCCOPY 0x00CC0020
#define BLACKNESS 0x00000042
#define COLORONCOLOR 3
// From an 8-bit device context to the client area's: each destination
// pixel takes the source pixel under its centre (whole-number enlargement
// repeats pixels, shrinking drops them), through the source's colours.
BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop);
int WINAPI SetStretchBltMode(HDC hdc, int mode);
// Only BLACKNESS on the client area's device context.
BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};
// The colours of the display's palette behind hdc.
UINT WINAPI GetSystemPaletteEntries(HDC hdc, UINT iStart, UINT cEntries, PALETTEENTRY* pPalEntries);

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};
// The colour table of the 8-bit surface behind hdc.
UINT WINAPI GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq);
// The text's cell has its top left corner at (x, y); c bytes of lpString.
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color);
int WINAPI SetBkMode(HDC hdc, int mode);

// DirectDraw, through its first interfaces.
struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
struct IUnknown;

#define DD_OK 0
#define DDERR_MAKE(code) ((HRESULT)(0x88760000u | (code)))
#define DDERR_GENERIC ((HRESULT)0x80004005L)
#define DDERR_INVALIDPARAMS ((HRESULT)0x80070057L)
#define DDERR_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define DDERR_UNSUPPORTED ((HRESULT)0x80004001L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define DDERR_INVALIDCAPS DDERR_MAKE(100)
#define DDERR_INVALIDMODE DDERR_MAKE(120)
#define DDERR_INVALIDRECT DDERR_MAKE(150)
#define DDERR_INVALIDOBJECT DDERR_MAKE(130)
#define DDERR_NOCOOPERATIVELEVELSET DDERR_MAKE(212)
#define DDERR_NOEXCLUSIVEMODE DDERR_MAKE(225)
#define DDERR_NOTFOUND DDERR_MAKE(255)
#define DDERR_INVALIDDIRECTDRAWGUID DDERR_MAKE(561)
#define DDERR_PRIMARYSURFACEALREADYEXISTS DDERR_MAKE(564)
#define DDERR_EXCLUSIVEMODEALREADYSET DDERR_MAKE(581)
#define DDERR_SURFACELOST DDERR_MAKE(450)
#define DDERR_WRONGMODE DDERR_MAKE(587)
#define DDERR_IMPLICITLYCREATED DDERR_MAKE(588)
#define DDERR_NOTFLIPPABLE DDERR_MAKE(582)
#define DDERR_DCALREADYCREATED DDERR_MAKE(620)
#define DDERR_NODC DDERR_MAKE(586)
#define DDERR_NOTLOCKED DDERR_MAKE(584)
#define DDERR_CANTCREATEDC DDERR_MAKE(585)
#define DDERR_UNSUPPORTEDMODE DDERR_MAKE(590)
#define DDERR_SURFACEBUSY DDERR_MAKE(430)
#define DDERR_NOPALETTEATTACHED DDERR_MAKE(572)

#define DDSCL_FULLSCREEN 0x00000001l
#define DDSCL_ALLOWREBOOT 0x00000002l
#define DDSCL_NOWINDOWCHANGES 0x00000004l
#define DDSCL_NORMAL 0x00000008l
#define DDSCL_EXCLUSIVE 0x00000010l

#define DDSD_CAPS 0x00000001l
#define DDSD_HEIGHT 0x00000002l
#define DDSD_WIDTH 0x00000004l
#define DDSD_PITCH 0x00000008l
#define DDSD_BACKBUFFERCOUNT 0x00000020l
#define DDSD_PIXELFORMAT 0x00001000l
#define DDSD_LPSURFACE 0x00000800l
#define DDLOCK_WAIT 0x00000001l
#define DDLOCK_READONLY 0x00000010l

#define DDSCAPS_BACKBUFFER 0x00000004l
#define DDSCAPS_COMPLEX 0x00000008l
#define DDSCAPS_FLIP 0x00000010l
#define DDSCAPS_FRONTBUFFER 0x00000020l
#define DDSCAPS_OFFSCREENPLAIN 0x00000040l
#define DDSCAPS_PRIMARYSURFACE 0x00000200l
#define DDSCAPS_SYSTEMMEMORY 0x00000800l

#define DDPF_PALETTEINDEXED8 0x00000020l
#define DDPF_RGB 0x00000040l

#define DDBLT_COLORFILL 0x00000400l
#define DDBLT_WAIT 0x01000000l
#define DDFLIP_WAIT 0x00000001l

struct DDSCAPS {
  DWORD dwCaps;
};
typedef DDSCAPS* LPDDSCAPS;

struct DDCOLORKEY {
  DWORD dwColorSpaceLowValue;
  DWORD dwColorSpaceHighValue;
};

struct DDPIXELFORMAT {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwFourCC;
  union {
    DWORD dwRGBBitCount;
  };
  union {
    DWORD dwRBitMask;
  };
  union {
    DWORD dwGBitMask;
  };
  union {
    DWORD dwBBitMask;
  };
  union {
    DWORD dwRGBAlphaBitMask;
  };
};

struct DDSURFACEDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  union {
    LONG lPitch;
    DWORD dwLinearSize;
  };
  DWORD dwBackBufferCount;
  union {
    DWORD dwMipMapCount;
    DWORD dwZBufferBitDepth;
    DWORD dwRefreshRate;
  };
  DWORD dwAlphaBitDepth;
  DWORD dwReserved;
  void* lpSurface;
  DDCOLORKEY ddckCKDestOverlay;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcOverlay;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS ddsCaps;
};
typedef DDSURFACEDESC* LPDDSURFACEDESC;

struct IDirectDrawSurface;
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;

#define DDPCAPS_8BIT 0x00000004L
#define DDPCAPS_ALLOW256 0x00000040L

struct IDirectDrawPalette {
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  ~IDirectDrawPalette() = default;
};
typedef IDirectDrawPalette* LPDIRECTDRAWPALETTE;

struct DDBLTFX {
  DWORD dwSize;
  DWORD dwDDFX;
  DWORD dwROP;
  DWORD dwDDROP;
  DWORD dwRotationAngle;
  DWORD dwZBufferOpCode;
  DWORD dwZBufferLow;
  DWORD dwZBufferHigh;
  DWORD dwZBufferBaseDest;
  DWORD dwZDestConstBitDepth;
  union {
    DWORD dwZDestConst;
    LPDIRECTDRAWSURFACE lpDDSZBufferDest;
  };
  DWORD dwZSrcConstBitDepth;
  union {
    DWORD dwZSrcConst;
    LPDIRECTDRAWSURFACE lpDDSZBufferSrc;
  };
  DWORD dwAlphaEdgeBlendBitDepth;
  DWORD dwAlphaEdgeBlend;
  DWORD dwReserved;
  DWORD dwAlphaDestConstBitDepth;
  union {
    DWORD dwAlphaDestConst;
    LPDIRECTDRAWSURFACE lpDDSAlphaDest;
  };
  DWORD dwAlphaSrcConstBitDepth;
  union {
    DWORD dwAlphaSrcConst;
    LPDIRECTDRAWSURFACE lpDDSAlphaSrc;
  };
  union {
    DWORD dwFillColor;
    DWORD dwFillDepth;
    DWORD dwFillPixel;
    LPDIRECTDRAWSURFACE lpDDSPattern;
  };
  DDCOLORKEY ddckDestColorkey;
  DDCOLORKEY ddckSrcColorkey;
};
typedef DDBLTFX* LPDDBLTFX;

// The methods the program calls, in the order the interfaces declare them.
struct IDirectDrawSurface {
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
  virtual HRESULT STDMETHODCALLTYPE Blt(LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect,
                                        DWORD dwFlags, LPDDBLTFX lpDDBltFx) = 0;
  virtual HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE lpDDSurfaceTargetOverride, DWORD dwFlags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS lpDDSCaps,
                                                       LPDIRECTDRAWSURFACE FAR* lplpDDAttachedSurface) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDC(HDC FAR* lphDC) = 0;
  virtual HRESULT STDMETHODCALLTYPE Lock(LPRECT lpDestRect, LPDDSURFACEDESC lpDDSurfaceDesc, DWORD dwFlags,
                                         HANDLE hEvent) = 0;
  virtual HRESULT STDMETHODCALLTYPE ReleaseDC(HDC hDC) = 0;
  virtual HRESULT STDMETHODCALLTYPE Restore() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE lpDDPalette) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unlock(void* lpSurfaceData) = 0;

 protected:
  ~IDirectDrawSurface() = default;
};

struct IDirectDraw {
  virtual ULONG STDMETHODCALLTYPE Release() = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePalette(DWORD dwFlags, PALETTEENTRY* lpDDColorArray,
                                                  LPDIRECTDRAWPALETTE FAR* lplpDDPalette,
                                                  IUnknown FAR* pUnkOuter) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC lpDDSurfaceDesc,
                                                  LPDIRECTDRAWSURFACE FAR* lplpDDSurface,
                                                  IUnknown FAR* pUnkOuter) = 0;
  virtual HRESULT STDMETHODCALLTYPE RestoreDisplayMode() = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND hWnd, DWORD dwFlags) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP) = 0;

 protected:
  ~IDirectDraw() = default;
};
typedef IDirectDraw* LPDIRECTDRAW;

HRESULT WINAPI DirectDrawCreate(GUID FAR* lpGUID, LPDIRECTDRAW FAR* lplpDD, IUnknown FAR* pUnkOuter);

#define FAILED(hr) (((HRESULT)(hr)) < 0)

// The program's entry point, which the platform's main() calls.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

#endif  // _WIN32
#endif
