#include "Client.h"

#include "codepage/Cp1252.h"
#include "Error.h"

#include <QDir>

namespace fb {

void Client::useConfigurationRoot(const QString &folder)
{
    qputenv("FIREBIRD", QDir::toNativeSeparators(folder).toLocal8Bit());
}

Firebird::IMaster *Client::master()
{
    static Firebird::IMaster *const instance = Firebird::fb_get_master_interface();
    return instance;
}

Firebird::IUtil *Client::util()
{
    return master()->getUtilInterface();
}

Firebird::IProvider *Client::provider()
{
    // The dispatcher lives as long as the process; the engine unloads it at exit.
    static Firebird::IProvider *const instance = master()->getDispatcher();
    return instance;
}

Status::Status()
    : BaseStatusWrapper(Client::master()->getStatus())
{
}

Status::~Status()
{
    status->dispose();
}

void Status::checkException(Status *wrapper)
{
    if (!wrapper->dirty || !(wrapper->getState() & Firebird::IStatus::STATE_ERRORS))
        return;

    char text[1024];
    Client::util()->formatStatus(text, sizeof text, wrapper->status);
    const intptr_t *errors = wrapper->getErrors();
    const long code = (errors[0] == isc_arg_gds) ? long(errors[1]) : 0;
    // Engine messages quote values in the database's own code page.
    throw Error(Cp1252::decode(QByteArrayView(text)).trimmed(), code);
}

} // namespace fb
