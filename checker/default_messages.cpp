#include "checker/default_messages.h"

namespace corvane {

// Id 11 is not defined. Text 20 breaks its lines with a single line feed.
const DefaultMessage kDefaultMessages[27] = {
    {0, u"Agree"},
    {1, u"Disagree"},
    {2,
     u"This tool will change the settings of the wireless LAN card connected to this "
     u"computer, so your network connection will be terminated."},
    {3, u"Please press the 'Start' button to begin verification."},
    {4, u"This process may take several minutes."},
    {5, u"Start"},
    {6, u"Cancel"},
    {7, u"Checking OS support"},
    {8, u"Checking user account"},
    {9, u"Checking wireless LAN adapter"},
    {10, u"Checking wireless LAN switching"},
    {12, u"Close"},
    {13, u"Pass"},
    {14, u"Fail"},
    {15, u"Running"},
    {16,
     u"You cannot use Pellora/Quintrel with your current OS version. Please upgrade your OS "
     u"to the required version."},
    {17,
     u"You may receive an error message when you try to install Pellora/Quintrel on Windows "
     u"2000. Please run Windows Update to install the latest updates for your OS and install "
     u"the program again."},
    {18,
     u"The application must be installed by an account with administrator privileges before "
     u"Pellora/Quintrel can be used."},
    {19,
     u"Unable to detect wireless LAN adapter. A wireless LAN adapter is required to establish "
     u"a wireless connection with Pellora/Quintrel. If the wireless LAN adapter is already "
     u"connected, please make sure it is enabled."},
    {20,
     u"Wireless LAN switching check failed.\n - If the wireless LAN adapter is off, please "
     u"turn it on and run this program again.\n - Please use a compatible wireless LAN "
     u"adapter. A list of compatible adapters can be found on the Tavir homepage or by "
     u"contacting Tavir Technical support."},
    {21, u"Verifying"},
    {22, u"Verification complete."},
    {23,
     u"You can run Pellora/Quintrel on your computer. Please note that you may need to add an "
     u"exception for Pellora/Quintrel if you have a firewall enabled."},
    {24,
     u"You may not be able to run Pellora/Quintrel on your computer. Please see the results "
     u"for more details."},
    {25, u"Select the Wireless LAN adapter you want to use."},
    {26, u"Switch LAN"},
    {27, u"OK"},
};

}  // namespace corvane
