#include "os/RarSupport.h"

#include <archive.h>

namespace zelto::os {

bool RarReadingAvailable()
{
    archive *reader = archive_read_new();
    if (!reader)
        return false;
    const bool available = archive_read_support_format_rar(reader) == ARCHIVE_OK
        && archive_read_support_format_rar5(reader) == ARCHIVE_OK;
    archive_read_free(reader);
    return available;
}

} // namespace zelto::os
