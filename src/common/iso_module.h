#pragma once

#include <QString>

// The work instructions of the laboratory, served by its document web server.
namespace isoModule {

// Looks up the work instruction of the test group and opens it in the browser, on
// the document server and with the browser the station's configuration names.
// No document (or one without a type) shows nothing; a browser that cannot be
// started is reported in a message and the station goes on.
void Open_ISO_Document(const QString& sTestGroup);

// The address of a document on the server.
QString documentAddress(const QString& server, const QString& docId, const QString& docType);

}  // namespace isoModule
