#pragma once

class MainWindow;

// The main window's producing commands; both act on the tree's current elaborat, and both
// refuse first an attribute value that the Keywords text cannot carry (checkStoredAttributes).

// "PDF...": a document at least, the file name and folder (choosePdfPath), then the build
// dialog. After a build into the elaborat's own PDF its single pages point to where they now
// stand; when the user asks the dialog to compress, the ZIP command follows.
void runPdfCommand(MainWindow &window);

// "stisnjen paket...": the KO and case-number checks, the save dialog at the proposed package
// name beside the PDF, then the build dialog packing to the chosen path (zipPath). A KO or
// REZPOS that leaves a building-cadastre package without its REN PDF is told here, before the
// worker starts.
void runZipCommand(MainWindow &window);
