#include "shell/lock_request.h"

namespace shell {

LockRequest& LockRequest::instance()
{
    static LockRequest request;
    return request;
}

}  // namespace shell
