#include "http/HttpClient.h"
