#pragma once
// Included by every header of this folder: the windows' state is for the
// windows' handlers and the toolkit layer. A subsystem takes plain values
// from them instead, so that it can serve the command-line solver too.
#ifdef SEXTRIX_SUBSYSTEM
#error "a subsystem includes the windows' state (model/): pass it the values it needs instead"
#endif
