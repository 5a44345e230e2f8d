#pragma once
// "MAPI.Session" where no Exchange client library exists: a session over the message
// stores of a profile kept by MailProfile.h, served in-process. Logon reads every store's
// folder list at once; the objects it hands out then need no further I/O.
//
//   Logon(profile, password, showDialog)  opens the named profile's stores (the password
//                                         and the dialog flag are not used: each store
//                                         keeps its own password, and no dialog is shown)
//   InfoStores                            Count, Item(i); a store has Name, ID, RootFolder
//   Logoff                                forgets the stores

#include "platform/Automation.h"

namespace mail {

platform::ObjectRef makeMailSession();

}  // namespace mail
