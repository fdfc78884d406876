// The softkey, menu, time-switch, setting, character, address-reference and
// PLC statements of the project source parser. Until they are read, every
// handler answers "not this statement", so that such a line ends the parse
// with the statement error.
#include "source/ParsOrv.h"

int CParsOrv::DoAction()
{
    return 0;
}

int CParsOrv::DoSkOp()
{
    return 0;
}

int CParsOrv::DoPlc()
{
    return 0;
}

int CParsOrv::DoWord()
{
    return 0;
}

int CParsOrv::DoNode()
{
    return 0;
}

int CParsOrv::DoSchedule()
{
    return 0;
}

int CParsOrv::DoSchedWeek()
{
    return 0;
}

int CParsOrv::DoChar()
{
    return 0;
}

int CParsOrv::DoCycleTime()
{
    return 0;
}

int CParsOrv::DoComList()
{
    return 0;
}

int CParsOrv::DoDMode()
{
    return 0;
}

int CParsOrv::DoDefSoftkey()
{
    return 0;
}

int CParsOrv::DoDataSize()
{
    return 0;
}

int CParsOrv::DoFuncKey()
{
    return 0;
}

int CParsOrv::DoMenu()
{
    return 0;
}

int CParsOrv::DoMultiExt()
{
    return 0;
}

int CParsOrv::DoMsgMode()
{
    return 0;
}

int CParsOrv::DoPosPrnStatus()
{
    return 0;
}

int CParsOrv::DoPosDateTime()
{
    return 0;
}

int CParsOrv::DoPosRecBlock()
{
    return 0;
}

int CParsOrv::DoPrMode()
{
    return 0;
}

int CParsOrv::DoPrChar()
{
    return 0;
}

int CParsOrv::DoPrInit()
{
    return 0;
}

int CParsOrv::DoRecipeSize()
{
    return 0;
}

int CParsOrv::DoSoftkey()
{
    return 0;
}

int CParsOrv::DoTimer()
{
    return 0;
}
