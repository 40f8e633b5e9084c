#pragma once

#ifdef TICKORA_HAVE_X11
typedef struct _XDisplay Display;

// The X display Qt runs on, or nullptr on any other platform.
Display* X11Display();
#endif
