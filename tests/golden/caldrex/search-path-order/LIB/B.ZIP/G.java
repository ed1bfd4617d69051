class G {}
