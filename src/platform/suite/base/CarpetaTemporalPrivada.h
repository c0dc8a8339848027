#pragma once
// The one rule for every temporary folder the programs use (document pages, reports, the instance hold): a
// temporary folder named by the environment must be an absolute folder that exists, that this user can write
// and that no other user can empty or fill; the program's files go into a folder of this user's own inside it,
// private to the user, with no link standing in its place. Anything else is refused with one message that
// names the folder and what is wrong with it, so nothing is ever written into a shared folder, the working
// folder or the root of the file system.

#include <QString>

namespace suite {

// The user's name as the station knows it: USER, LOGNAME or USERNAME, else the home folder's name; upper case.
QString UsuarioDelSistema();

// The system's temporary folder as named: TMPDIR when it is not blank, else "/tmp". Not yet checked.
QString CarpetaTemporalDelSistema();

// The private folder "conccuentas-<user>" inside the temporary folder `base` (named by the environment
// variable `variable`, for the message), created with mode 0700 when missing; ends in "/".
// `base` is resolved once (links, "." and ".."): the folder checked is the folder the private folder goes into.
// It must be absolute, exist, be a folder, be writable by this user, and, when others may write in it,
// keep them from removing what is not theirs (the sticky bit of /tmp). The private folder must be a real
// folder (not a link, not a file) owned by this user that others cannot write in; one of ours that others may
// only read (left by an earlier version) is closed to them. Otherwise raises ado::Error (number 75) whose
// text names the folder and the fault.
QString CarpetaTemporalPrivada(const QString& base, const QString& variable);

// The station's private temporary folder: CarpetaTemporalPrivada(CarpetaTemporalDelSistema(), "TMPDIR").
QString CarpetaTemporalDeLaEstacion();

} // namespace suite
