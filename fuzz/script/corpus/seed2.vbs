Sub F(x)
If x Then F x - 1 Else x = Not x
End Sub
Do While True : Loop
