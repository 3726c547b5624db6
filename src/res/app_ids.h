// Resource ids of the application shell.
#pragma once
