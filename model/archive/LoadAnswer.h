// What reading a whole file answers besides its content.
#pragma once

// NeedsRewriting: some record was stored in an older layout and was converted on reading; whoever
// started the read writes the data again in the current layout. The answer belongs to one read: a
// second read starts again from Current.
enum class LoadAnswer
{
    Current,
    NeedsRewriting,
};
