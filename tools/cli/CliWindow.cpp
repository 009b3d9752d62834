#include "CliWindow.h"

#include "app/Messages.h"

void CliWindow::WndProc(platform::Message& msg) {
    if (msg.Msg == UM_UDP_REPLY || msg.Msg == UM_UDP_TIMEOUT || msg.Msg == UM_UDP_EVENT)
        Notes.push_back(Note{msg.Msg, msg.WParam, msg.LParam});
}
