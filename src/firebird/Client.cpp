#include "Client.h"

#include "codepage/Cp1252.h"
#include "Error.h"

#include <QDir>

namespace fb {
namespace {

// The engine asks this before it shuts itself down. On SIGINT and SIGTERM the client library
// would shut it down at once, cutting every attachment and losing the work not yet committed;
// the program has its own answer to those signals, which ends it as a user would, committing
// that work. So the engine stays up for it.
int refuseShutdownOnSignal(const int reason, const int, void *)
{
    return reason == fb_shutrsn_signal ? 1 : 0;
}

} // namespace

void Client::useConfigurationRoot(const QString &folder)
{
    qputenv("FIREBIRD", QDir::toNativeSeparators(folder).toLocal8Bit());
}

Firebird::IMaster *Client::master()
{
    static Firebird::IMaster *const instance = [] {
        Firebird::IMaster *master = Firebird::fb_get_master_interface();
        ISC_STATUS_ARRAY status = {};
        if (fb_shutdown_callback(status, refuseShutdownOnSignal, fb_shut_confirmation, nullptr) != 0)
            throw Error(QStringLiteral("Cannot keep the database engine from stopping on termination signals"));
        return master;
    }();
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
