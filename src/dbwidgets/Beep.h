#pragma once

/// The system's default beep: the only answer to a command that cannot run for lack of data.
/// The calls are counted, because a beep is all a test can observe of such a command.
class Beep
{
public:
    static void beep();
    static int count();
};
