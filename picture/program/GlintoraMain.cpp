// The picture collector program: its application object, run by the framework's main.
#include "picture/PictureApp.h"

CPictureApp theApp;
