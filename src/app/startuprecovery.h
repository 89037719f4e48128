#pragma once

class MainWindow;

// After a run that ended without its normal close, the recovery records of its elaborates are
// still in the temp folder, one in each elaborat's scratch folder. Called once the main window
// is shown: when there are records, asks "Program se ni pravilno zaprl. ..." (Yes by default).
// Yes rebuilds each elaborat as it was, modified, in its own scratch folder; documents whose
// files have gone are left out and named in one message. No moves the records into the temp
// folder's "zavrzeno", where they stay until the next normal close. A record that cannot be
// read, or names no procedure of the catalogue, is moved there as well and named in the
// message; it never stops the start.
void offerRecovery(MainWindow &window);
